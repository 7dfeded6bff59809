#include "i18n/language_choice.h"

#include "i18n/language.h"

#include <string>

namespace zkt {

namespace {

std::string_view valueOf(const EnvironmentLookup& lookup, const char* name) {
    const char* value = lookup(name);
    return value == nullptr ? std::string_view{} : std::string_view(value);
}

// "de_DE.UTF-8@euro" -> "de"; "C.UTF-8" -> "c"; a browser's "de-AT" -> "de".
std::string languagePart(std::string_view locale) {
    std::string language(locale.substr(0, locale.find_first_of("_.@-")));
    for (char& c : language) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return language;
}

std::string_view shipped(std::string_view locale) {
    const std::string language = languagePart(locale);
    for (std::string_view code : shippedLanguages()) {
        if (code == language)
            return code;
    }
    return {};
}

} // namespace

std::string_view languageFromEnvironment(const EnvironmentLookup& lookup) {
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = valueOf(lookup, name);
        if (!locale.empty())
            break;
    }
    const std::string language = languagePart(locale);
    if (language.empty() || language == "c" || language == "posix")
        return englishLanguage;
    std::string_view list = valueOf(lookup, "LANGUAGE");
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        if (const std::string_view code = shipped(list.substr(0, colon)); !code.empty())
            return code;
        list = colon == std::string_view::npos ? std::string_view{} : list.substr(colon + 1);
    }
    const std::string_view code = shipped(locale);
    return code.empty() ? englishLanguage : code;
}

std::string_view languageFromPreferences(std::span<const std::string> preferred) {
    for (const std::string& tag : preferred) {
        if (const std::string_view code = shipped(tag); !code.empty())
            return code;
    }
    return englishLanguage;
}

} // namespace zkt
