#pragma once
// Whole sentences with their pieces in place: formatText(tr("Manual #%1 of your %2..."), 2, "ZKT").
// %1 is the first argument, %2 the second, up to %99, in whatever order a language puts them;
// a % not followed by the number of an argument stays as it is. What an argument holds is not
// searched again, so a name with "%1" in it comes out as it is.

#include <concepts>
#include <span>
#include <string>
#include <string_view>

namespace zkt {

std::string formatTextOf(std::string_view pattern, std::span<const std::string> arguments);

template <typename T>
std::string placeholderText(const T& argument) {
    if constexpr (std::integral<T>)
        return std::to_string(argument);
    else
        return std::string(std::string_view(argument));
}

template <typename First, typename... Rest>
std::string formatText(std::string_view pattern, const First& first, const Rest&... rest) {
    const std::string arguments[] = {placeholderText(first), placeholderText(rest)...};
    return formatTextOf(pattern, arguments);
}

} // namespace zkt
