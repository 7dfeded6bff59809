#include "app/shell/recent_files.h"

#include <QFileInfo>

namespace zkt {

void RecentFiles::assign(const std::vector<std::string>& paths) {
    m_paths.clear();
    for (const std::string& text : paths) {
        const QString path = QString::fromStdString(text);
        if (m_paths.size() < capacity && !path.isEmpty() && !m_paths.contains(path))
            m_paths << path;
    }
}

std::vector<std::string> RecentFiles::texts() const {
    std::vector<std::string> texts;
    for (const QString& path : m_paths)
        texts.push_back(path.toStdString());
    return texts;
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
