#include "model/config_file_lines.h"

namespace zkt {

std::optional<std::string> ConfigFileLines::next(bool longLinesCut) {
    std::streambuf& buffer = *m_in.rdbuf();
    if (buffer.sgetc() == std::char_traits<char>::eof()) {
        return std::nullopt;
    }
    ++m_lineNumber;
    std::string line;
    for (int c = buffer.sbumpc(); c != std::char_traits<char>::eof(); c = buffer.sbumpc()) {
        if (c == '\n') {
            break;
        }
        if (c == '\r') {
            if (buffer.sgetc() == '\n') {
                buffer.sbumpc();
            }
            break;
        }
        if (line.size() == maximumLineLength) {
            if (longLinesCut)
                continue;
            throw ConfigFileError(m_name, m_lineNumber,
                                  "line is longer than " + std::to_string(maximumLineLength) +
                                      " characters; this is not a configuration file");
        }
        line.push_back(static_cast<char>(c));
    }
    return line;
}

} // namespace zkt
