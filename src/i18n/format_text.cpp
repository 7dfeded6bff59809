#include "i18n/format_text.h"

namespace zkt {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::string formatTextOf(std::string_view pattern, std::span<const std::string> arguments) {
    std::string text;
    std::size_t at = 0;
    while (at < pattern.size()) {
        const std::size_t percent = pattern.find('%', at);
        text.append(pattern.substr(at, percent - at));
        if (percent == std::string_view::npos)
            break;
        std::size_t end = percent + 1;
        std::size_t number = 0;
        while (end < pattern.size() && end < percent + 3 && isDigit(pattern[end]))
            number = number * 10 + static_cast<std::size_t>(pattern[end++] - '0');
        if (number >= 1 && number <= arguments.size()) {
            text.append(arguments[number - 1]);
        } else {
            end = percent + 1;
            text.push_back('%');
        }
        at = end;
    }
    return text;
}

} // namespace zkt
