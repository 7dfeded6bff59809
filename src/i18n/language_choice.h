#pragma once
// The shipped language the environment asks for, read from the variables themselves as gettext
// reads them, without setlocale: the locale is the first of LC_ALL, LC_MESSAGES and LANG that is
// set ("de_DE.UTF-8", "nl_BE", "fr"); in the C or POSIX locale, or with none, the texts stay
// English. Otherwise LANGUAGE's colon list ("nl:de") comes first, and the first entry that is
// shipped wins, "en" among them; then the locale's own language. English when none is shipped.

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace zkt {

// A variable's value, nullptr when it is not set: std::getenv's answer.
using EnvironmentLookup = std::function<const char*(const char*)>;

std::string_view languageFromEnvironment(const EnvironmentLookup& lookup);
// The first of a browser's languages, most wanted first ("de-AT", "nl", "en-GB"), that is
// shipped; English when none is.
std::string_view languageFromPreferences(std::span<const std::string> preferred);

} // namespace zkt
