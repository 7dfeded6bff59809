#include "model/console_names.h"

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

} // namespace

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        if (!isContinuationByte(static_cast<unsigned char>(c)))
            ++count;
    }
    return count;
}

std::string consoleNameProblem(std::string_view text) {
    if (!isUtf8(text))
        return "is not UTF-8 text";
    const std::size_t characters = characterCount(text);
    if (characters > longestConsoleName) {
        return "has " + std::to_string(characters) + " characters, at most " +
               std::to_string(longestConsoleName);
    }
    return {};
}

std::string typedConsoleName(std::string_view typed) {
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!typed.empty() && blank(typed.front()))
        typed.remove_prefix(1);
    while (!typed.empty() && blank(typed.back()))
        typed.remove_suffix(1);
    std::size_t end = 0;
    for (std::size_t characters = 0; end < typed.size(); ++end) {
        if (!isContinuationByte(static_cast<unsigned char>(typed[end])) && characters++ == longestConsoleName)
            break;
    }
    return std::string(typed.substr(0, end));
}

std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return line;
}

void clearManualNames(ConsoleNames& names, int manualIndex) {
    names.manualNames.at(static_cast<std::size_t>(manualIndex)).clear();
    for (int k = 0; k < pistonsPerManual; ++k)
        names.pistonLabels.at(static_cast<std::size_t>(pistonIndexOf(manualIndex, k))).clear();
}

std::string manualTitle(const ConsoleNames& names, int manual) {
    const std::string& name = names.manualNames.at(static_cast<std::size_t>(manual - 1));
    const std::string plain = "Manual #" + std::to_string(manual);
    return name.empty() ? plain : plain + " \u2014 " + oneLine(name);
}

std::string manualWithName(const ConsoleNames& names, int manual) {
    const std::string& name = names.manualNames.at(static_cast<std::size_t>(manual - 1));
    const std::string plain = "Manual " + std::to_string(manual);
    return name.empty() ? plain : plain + " (" + oneLine(name) + ")";
}

std::string pistonWithLabel(const ConsoleNames& names, int pistonIndex) {
    const std::string& label = names.pistonLabels.at(static_cast<std::size_t>(pistonIndex));
    const std::string plain = "piston " + std::to_string(pistonIndex % pistonsPerManual + 1);
    return label.empty() ? plain : plain + " (" + oneLine(label) + ")";
}

} // namespace zkt
