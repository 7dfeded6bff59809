#pragma once
// The window's view of the copy of unsaved changes (the file and its text are the core's
// RecoveryCopyFile): paths and names as Qt strings, and the time the copy was kept in local time.

#include "document/recovery_copy_file.h"
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
    explicit RecoveryCopy(const QString& folder) : m_file(folder.toStdString()) {}

    // Replaces the copy. Throws std::exception (a value no image can hold, a disk that is full).
    void keep(const ConfigModel& model, const QString& documentPath, const QString& documentName) const;
    // None where there is no copy, or one that cannot be read.
    std::optional<UnsavedChanges> find() const;
    void remove() const { m_file.remove(); }

    QString path() const { return QString::fromStdString(m_file.path()); }

private:
    RecoveryCopyFile m_file;
};

} // namespace zkt
