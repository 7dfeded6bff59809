#pragma once
// The progress text as every front end keeps it: lines separated by CR LF, the newest last.

#include <string>
#include <string_view>
#include <vector>

namespace zkt {

class StatusText {
public:
    static constexpr std::string_view lineBreak = "\r\n";

    void replace(std::string_view text) { m_text = text; }
    void append(std::string_view piece) { m_text += piece; }
    // Returns what was added: the line, after a line break unless the text was empty.
    std::string addLine(std::string_view line);
    void clear() { m_text.clear(); }

    const std::string& text() const { return m_text; }
    std::vector<std::string> lines() const;

private:
    std::string m_text;
};

} // namespace zkt
