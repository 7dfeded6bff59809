#pragma once
// The configurations opened or saved last, newest first, as File > Recent Configurations lists
// them. They are kept in the settings file's "Recent Files" section as "File1" to "File8".

#include "settings/ini_file.h"

#include <QStringList>
#include <string>

namespace zkt {

class RecentFiles {
public:
    static constexpr int capacity = 8;

    void read(cInifile& settings, const std::string& settingsFile);
    void write(cInifile& settings, const std::string& settingsFile) const;

    // Puts the file first; an entry already listed moves up, the oldest beyond the capacity drops.
    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& paths() const { return m_paths; }

private:
    QStringList m_paths;
};

} // namespace zkt
