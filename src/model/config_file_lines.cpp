#include "model/config_file_lines.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

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
            throw ConfigFileError(
                m_name, m_lineNumber,
                formatText(tr("line is longer than %1 characters; this is not a configuration file"),
                           maximumLineLength));
        }
        line.push_back(static_cast<char>(c));
    }
    return line;
}

} // namespace zkt
