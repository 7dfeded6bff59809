#pragma once
// The configurations opened or saved last, newest first, as File > Recent Configurations lists
// them; the settings file keeps them as the list setting::recentFiles.

#include "settings/settings_table.h"

#include <QStringList>
#include <string>
#include <vector>

namespace zkt {

class RecentFiles {
public:
    static constexpr int capacity = setting::recentFiles.count;

    // The list as the settings file gave it back: a path listed twice counts once, and what is
    // beyond the capacity is dropped.
    void assign(const std::vector<std::string>& paths);
    std::vector<std::string> texts() const;

    // Puts the file first; an entry already listed moves up, the oldest beyond the capacity drops.
    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& paths() const { return m_paths; }

private:
    QStringList m_paths;
};

} // namespace zkt
