#include "cli/console_status.h"

#include <utility>

namespace zkt::cli {

void ConsoleStatus::captionChanged(const std::string& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    finishLine();
    m_out << "[" << caption << "]\n" << std::flush;
}

void ConsoleStatus::statusReplaced(const std::string& text) {
    m_text.replace(text);
    finishLine();
    print(text);
}

void ConsoleStatus::statusLineAdded(const std::string& line) {
    print(m_text.addLine(line));
}

void ConsoleStatus::statusAppended(const std::string& piece) {
    m_text.append(piece);
    print(piece);
}

void ConsoleStatus::finishLine() {
    if (!m_midLine)
        return;
    m_out << '\n' << std::flush;
    m_midLine = false;
}

void ConsoleStatus::makeRoomForOtherLine() {
    if (!m_midLine)
        return;
    finishLine();
    m_lineEndedForOthers = true;
}

void ConsoleStatus::print(const std::string& piece) {
    std::string lines;
    lines.reserve(piece.size());
    for (char c : piece) {
        if (c != '\r')
            lines += c;
    }
    if (std::exchange(m_lineEndedForOthers, false) && lines.starts_with('\n'))
        lines.erase(0, 1);
    if (lines.empty())
        return;
    m_out << lines << std::flush;
    m_midLine = lines.back() != '\n';
}

} // namespace zkt::cli
