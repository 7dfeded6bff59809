#include "link/status_text.h"

namespace zkt {

std::string StatusText::addLine(std::string_view line) {
    std::string piece = m_text.empty() ? std::string() : std::string(lineBreak);
    piece += line;
    m_text += piece;
    return piece;
}

std::vector<std::string> StatusText::lines() const {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start <= m_text.size()) {
        const auto end = m_text.find(lineBreak, start);
        result.push_back(m_text.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + lineBreak.size();
    }
    return result;
}

} // namespace zkt
