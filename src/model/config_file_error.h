#pragma once
// A configuration file that cannot be read or written, with where and why.

#include "i18n/format_text.h"
#include "i18n/tr.h"

#include <stdexcept>
#include <string>

namespace zkt {

class ConfigFileError : public std::runtime_error {
public:
    // line is 1-based; 0 when the error is not about one line.
    ConfigFileError(std::string path, int line, std::string reason)
        : std::runtime_error(composeMessage(path, line, reason)), m_path(std::move(path)), m_line(line),
          m_reason(std::move(reason)) {}

    const std::string& path() const { return m_path; }
    int line() const { return m_line; }
    const std::string& reason() const { return m_reason; }

private:
    static std::string composeMessage(const std::string& path, int line, const std::string& reason) {
        return line > 0 ? formatText(tr("%1, line %2: %3"), path, line, reason)
                        : formatText(tr("%1: %2"), path, reason);
    }

    std::string m_path;
    int m_line;
    std::string m_reason;
};

} // namespace zkt
