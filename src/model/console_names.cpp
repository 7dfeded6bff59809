#include "model/console_names.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace zkt {

namespace {

bool isContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Well-formed as Unicode defines it: no overlong forms, no surrogates, nothing past U+10FFFF.
bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (text.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            const bool inRange = k == 1 ? byte >= low && byte <= high : isContinuationByte(byte);
            if (!inRange)
                return false;
        }
        i += length;
    }
    return true;
}

// The text character by character: each lead byte with the continuation bytes after it.
std::vector<std::string_view> charactersOf(std::string_view utf8) {
    std::vector<std::string_view> characters;
    std::size_t start = 0;
    for (std::size_t i = 1; i <= utf8.size(); ++i) {
        if (i == utf8.size() || !isContinuationByte(static_cast<unsigned char>(utf8[i]))) {
            characters.push_back(utf8.substr(start, i - start));
            start = i;
        }
    }
    return characters;
}

// The code point of one character of well-formed UTF-8; what text that is not gives is only
// compared with the blanks and line breaks below, which it never equals.
char32_t codePointOf(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character.front());
    if (character.size() == 1)
        return lead;
    if (character.size() > 4)
        return 0xFFFD;
    char32_t point = lead & (0x7F >> character.size());
    for (std::size_t i = 1; i < character.size(); ++i)
        point = (point << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
    return point;
}

// Every control character, and the line and paragraph separators.
bool breaksLine(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// Unicode's white space, as a text box trims it.
bool isBlank(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

} // namespace

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        if (!isContinuationByte(static_cast<unsigned char>(c)))
            ++count;
    }
    return count;
}

std::string consoleNameProblem(std::string_view text, std::string_view subject) {
    if (!isUtf8(text))
        return formatText(tr("%1 is not UTF-8 text"), subject);
    const std::size_t characters = characterCount(text);
    if (characters > longestConsoleName)
        return formatText(tr("%1 has %2 characters, at most %3"), subject, characters, longestConsoleName);
    return {};
}

std::string consoleNameRefusal(std::string_view text, ConsoleNameKind kind) {
    const bool label = kind == ConsoleNameKind::label;
    if (!isUtf8(text))
        return label ? tr("The label is not UTF-8 text.") : tr("The name is not UTF-8 text.");
    const std::size_t characters = characterCount(text);
    if (characters <= longestConsoleName)
        return {};
    return formatText(label ? tr("The label has %1 characters, at most %2.")
                            : tr("The name has %1 characters, at most %2."),
                      characters, longestConsoleName);
}

std::string typedConsoleName(std::string_view typed) {
    // Cut first, as an input of that length cuts, then trimmed.
    std::vector<std::string_view> characters = charactersOf(typed);
    if (characters.size() > longestConsoleName)
        characters.resize(longestConsoleName);
    const auto blank = [](std::string_view c) { return isBlank(codePointOf(c)); };
    const auto first = std::find_if_not(characters.begin(), characters.end(), blank);
    const auto last = std::find_if_not(characters.rbegin(), std::make_reverse_iterator(first), blank).base();
    std::string kept;
    for (auto c = first; c != last; ++c)
        kept += *c;
    return kept;
}

std::string oneLine(std::string_view text) {
    std::string line;
    for (const std::string_view c : charactersOf(text))
        line += breaksLine(codePointOf(c)) ? std::string_view(" ") : c;
    return line;
}

std::string compassProblem(int keys) {
    if (keys >= 1 && keys <= longestCompass)
        return {};
    return "is not 1 to " + std::to_string(longestCompass) + " keys";
}

void clearManualNames(ConsoleNames& names, int manualIndex) {
    names.manualNames.at(static_cast<std::size_t>(manualIndex)).clear();
    names.compass.at(static_cast<std::size_t>(manualIndex)) = defaultCompass;
    for (int k = 0; k < pistonsPerManual; ++k)
        names.pistonLabels.at(static_cast<std::size_t>(pistonIndexOf(manualIndex, k))).clear();
}

std::string manualTitle(const ConsoleNames& names, int manual) {
    const std::string& name = names.manualNames.at(static_cast<std::size_t>(manual - 1));
    if (name.empty())
        return formatText(tr("Manual #%1"), manual);
    // TRANSLATORS: %1 is the manual's number, %2 its name.
    return formatText(tr("Manual #%1 \u2014 %2"), manual, oneLine(name));
}

std::string manualWithName(const ConsoleNames& names, int manual) {
    const std::string& name = names.manualNames.at(static_cast<std::size_t>(manual - 1));
    if (name.empty())
        return formatText(tr("Manual %1"), manual);
    // TRANSLATORS: %1 is the manual's number, %2 its name.
    return formatText(tr("Manual %1 (%2)"), manual, oneLine(name));
}

std::string pistonWithLabel(const ConsoleNames& names, int pistonIndex) {
    const std::string& label = names.pistonLabels.at(static_cast<std::size_t>(pistonIndex));
    const int piston = pistonIndex % pistonsPerManual + 1;
    if (label.empty())
        return formatText(tr("piston %1"), piston);
    // TRANSLATORS: %1 is the piston's number, %2 its label.
    return formatText(tr("piston %1 (%2)"), piston, oneLine(label));
}

} // namespace zkt
