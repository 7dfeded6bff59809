#include "app/shell/recent_files.h"

#include <QFileInfo>

namespace zkt {

namespace {

const std::string recentSection = "Recent Files";
// The settings file keeps at most this many characters of a value: a longer path would come
// back cut short and name another file, so it is remembered for this run only.
constexpr qsizetype longestStoredPath = 254;

std::string keyOf(int position) {
    return "File" + std::to_string(position + 1);
}

} // namespace

void RecentFiles::read(cInifile& settings, const std::string& settingsFile) {
    settings.Path(settingsFile);
    settings.Section(recentSection);
    settings.Default("");
    m_paths.clear();
    for (int i = 0; i < capacity; ++i) {
        settings.Key(keyOf(i));
        const QString path = QString::fromStdString(settings.Value());
        if (!path.isEmpty() && !m_paths.contains(path))
            m_paths << path;
    }
}

void RecentFiles::write(cInifile& settings, const std::string& settingsFile) const {
    settings.Path(settingsFile);
    settings.Section(recentSection);
    int stored = 0;
    for (const QString& path : m_paths) {
        const std::string text = path.toStdString();
        if (static_cast<qsizetype>(text.size()) > longestStoredPath)
            continue;
        settings.Key(keyOf(stored++));
        settings.Value(text);
    }
    // An empty value removes the key: nothing older is left behind.
    for (; stored < capacity; ++stored) {
        settings.Key(keyOf(stored));
        settings.Value("");
    }
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_paths.removeAll(absolute);
    m_paths.prepend(absolute);
    while (m_paths.size() > capacity)
        m_paths.removeLast();
}

void RecentFiles::remove(const QString& path) {
    m_paths.removeAll(path);
}

} // namespace zkt
