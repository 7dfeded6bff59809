#pragma once
// The plain-text program log: off unless the settings switch it on, one line per call, no time
// stamp or prefix. Logging must never break the program, so writeLog reports nothing.

#include <string>
#include <string_view>

namespace zkt {

class ProgramLog {
public:
    explicit ProgramLog(std::string path) : m_path(std::move(path)) {}

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }
    const std::string& path() const { return m_path; }

    // Appends the line and a line end, creating the file if needed; every failure is ignored.
    void writeLog(std::string_view line) const noexcept;

private:
    std::string m_path;
    bool m_enabled = false;
};

} // namespace zkt
