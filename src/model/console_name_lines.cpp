#include "model/console_name_lines.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/config_file.h"
#include "model/console_names.h"

#include <charconv>

namespace zkt {

namespace {

constexpr std::string_view nameMark = "#zkt-name ";
constexpr std::string_view labelMark = "#zkt-label ";
constexpr std::string_view compassMark = "#zkt-compass ";
constexpr std::size_t longestUtf8Character = 4;
constexpr std::size_t escapedByteLength = 3;
// "#zkt-label 5 20 " and the longest text with every byte escaped.
static_assert(labelMark.size() + 5 + longestConsoleName * longestUtf8Character * escapedByteLength <
                  minimumImageLineLength,
              "a name line must stay shorter than an image line");

constexpr char hexDigits[] = "0123456789ABCDEF";

bool mustEscape(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == '%';
}

std::string escapedText(std::string_view text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (mustEscape(byte) || (byte == ' ' && i + 1 == text.size())) {
            escaped += '%';
            escaped += hexDigits[byte >> 4];
            escaped += hexDigits[byte & 0x0F];
        } else {
            escaped += static_cast<char>(byte);
        }
    }
    return escaped;
}

int hexValue(char digit) {
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    return -1;
}

// Empty text where a "%" is not followed by two hex digits; then problem says so.
std::string unescapedText(std::string_view escaped, std::string& problem) {
    std::string text;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '%') {
            text += escaped[i];
            continue;
        }
        const int high = i + 1 < escaped.size() ? hexValue(escaped[i + 1]) : -1;
        const int low = i + 2 < escaped.size() ? hexValue(escaped[i + 2]) : -1;
        if (high < 0 || low < 0) {
            // TRANSLATORS: what is wrong with a line of a manual's name or a piston's label, in brackets.
            problem = tr("a \"%\" without two hex digits after it");
            return {};
        }
        text += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return text;
}

// Takes a number in first..last, without sign or leading zero, and the blank after it.
bool takeNumber(std::string_view& rest, int first, int last, int& number) {
    const auto* begin = rest.data();
    const auto* end = begin + rest.size();
    const auto [after, error] = std::from_chars(begin, end, number);
    const bool wellFormed = error == std::errc() && *begin != '0' && after != end && *after == ' ';
    if (!wellFormed || number < first || number > last)
        return false;
    rest.remove_prefix(static_cast<std::size_t>(after - begin) + 1);
    return true;
}

// The whole of rest as a number of keys, without sign or leading zero.
std::string compassOf(std::string_view rest, int& keys) {
    const auto* begin = rest.data();
    const auto* end = begin + rest.size();
    const auto [after, error] = std::from_chars(begin, end, keys);
    if (rest.empty() || error != std::errc() || *begin == '0' || after != end)
        return tr("no number of keys after the manual");
    if (!compassProblem(keys).empty())
        return formatText(tr("the compass is not 1 to %1 keys"), longestCompass);
    return {};
}

} // namespace

std::vector<std::string> consoleNameLines(const ConsoleNames& names, int manuals) {
    std::vector<std::string> lines;
    for (int m = 0; m < manuals && m < maxManuals; ++m) {
        const std::string manual = std::to_string(m + 1);
        if (const std::string& name = names.manualNames[static_cast<std::size_t>(m)]; !name.empty())
            lines.push_back(std::string(nameMark) + manual + " " + escapedText(name));
        if (const int keys = names.compass[static_cast<std::size_t>(m)]; keys != defaultCompass)
            lines.push_back(std::string(compassMark) + manual + " " + std::to_string(keys));
        for (int k = 0; k < pistonsPerManual; ++k) {
            const std::string& label = names.pistonLabels[static_cast<std::size_t>(pistonIndexOf(m, k))];
            if (!label.empty())
                lines.push_back(std::string(labelMark) + manual + " " + std::to_string(k + 1) + " " +
                                escapedText(label));
        }
    }
    return lines;
}

bool isConsoleNameLine(std::string_view line) {
    return line.size() < minimumImageLineLength &&
           (line.starts_with(nameMark) || line.starts_with(labelMark) || line.starts_with(compassMark));
}

ConsoleNameLineKind consoleNameLineKind(std::string_view line) {
    return line.starts_with(compassMark) ? ConsoleNameLineKind::compass : ConsoleNameLineKind::nameOrLabel;
}

ConsoleNameLine parseConsoleNameLine(std::string_view line) {
    ConsoleNameLine parsed;
    const bool isLabel = line.starts_with(labelMark);
    const bool isCompass = line.starts_with(compassMark);
    std::string_view rest = line.substr(isLabel     ? labelMark.size()
                                        : isCompass ? compassMark.size()
                                                    : nameMark.size());
    int manual = 0;
    int piston = 0;
    if (!takeNumber(rest, 1, maxManuals, manual)) {
        parsed.problem = formatText(tr("no manual number 1 to %1 and a blank after the mark"), maxManuals);
        return parsed;
    }
    if (isLabel && !takeNumber(rest, 1, pistonsPerManual, piston)) {
        parsed.problem =
            formatText(tr("no piston number 1 to %1 and a blank after the manual"), pistonsPerManual);
        return parsed;
    }
    parsed.manualIndex = manual - 1;
    if (isCompass) {
        int keys = 0;
        parsed.problem = compassOf(rest, keys);
        parsed.compass = parsed.problem.empty() ? keys : 0;
        return parsed;
    }
    parsed.pistonInManual = isLabel ? piston - 1 : -1;
    parsed.text = unescapedText(rest, parsed.problem);
    if (parsed.problem.empty()) {
        // TRANSLATORS: the subject of "... is not UTF-8 text" and "... has 41 characters, at most 40".
        parsed.problem = consoleNameProblem(parsed.text, tr("the text"));
    }
    return parsed;
}

void takeConsoleNameLine(const ConsoleNameLine& line, ConsoleNames& names) {
    if (line.compass > 0)
        names.compass.at(static_cast<std::size_t>(line.manualIndex)) = line.compass;
    else if (line.pistonInManual < 0)
        names.manualNames.at(static_cast<std::size_t>(line.manualIndex)) = line.text;
    else
        names.pistonLabels.at(
            static_cast<std::size_t>(pistonIndexOf(line.manualIndex, line.pistonInManual))) = line.text;
}

} // namespace zkt
