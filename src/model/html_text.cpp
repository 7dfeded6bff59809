#include "model/html_text.h"

namespace zkt {

std::string htmlEscaped(std::string_view plain) {
    std::string html;
    html.reserve(plain.size());
    for (const char c : plain) {
        switch (c) {
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '&':
            html += "&amp;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

} // namespace zkt
