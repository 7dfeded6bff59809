#pragma once
// The copy of a modified configuration that outlives a crash, a kill or a power cut: one file in
// the user's data folder, replaced in one step, holding the configuration as a .zkt file would
// and the file it belonged to. One program runs per user, so one copy is enough.

#include "model/config_model.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <string>

namespace zkt {

struct UnsavedChanges {
    QString documentPath; // the file the changes belong to; empty when no file holds them
    QString documentName; // what the window's title called the configuration
    QDateTime keptAt;
    std::string configurationText; // as a .zkt file holds it
};

class RecoveryCopy {
public:
    // An empty folder keeps no copy: tools that run the window for pictures or figures.
    explicit RecoveryCopy(QString folder);

    // Replaces the copy. Throws std::exception (a value no image can hold, a disk that is full).
    void keep(const ConfigModel& model, const QString& documentPath, const QString& documentName) const;
    // None where there is no copy, or one that cannot be read.
    std::optional<UnsavedChanges> find() const;
    void remove() const;

    QString path() const;

private:
    QString m_folder;
};

} // namespace zkt
