#include "model/hex_text.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

#include <array>
#include <optional>

namespace zkt {

namespace {

constexpr std::array<char, 16> hexDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                            '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};

std::optional<int> hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return std::nullopt;
}

// One or two hex digits; anything else is rejected so a typo never turns into a zero byte.
std::optional<std::uint8_t> parseHexToken(std::string_view token) {
    if (token.empty() || token.size() > 2) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : token) {
        const auto digit = hexDigitValue(c);
        if (!digit) {
            return std::nullopt;
        }
        value = value * 16 + *digit;
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace

std::string hexByte(int value) {
    if (value < 0 || value > 0xFF) {
        throw std::out_of_range("hexByte: " + std::to_string(value) + " is not a byte value");
    }
    return {hexDigits[static_cast<std::size_t>(value >> 4)],
            hexDigits[static_cast<std::size_t>(value & 0x0F)]};
}

std::string bytesToHex(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t byte : bytes) {
        text += hexByte(byte);
        text += ' ';
    }
    return text;
}

Bytes hexToBytes(std::string_view hexText) {
    Bytes bytes;
    std::size_t pos = 0;
    while (pos < hexText.size()) {
        if (hexText[pos] == ' ') {
            ++pos;
            continue;
        }
        std::size_t tokenEnd = hexText.find(' ', pos);
        if (tokenEnd == std::string_view::npos) {
            tokenEnd = hexText.size();
        }
        const std::string_view token = hexText.substr(pos, tokenEnd - pos);
        const auto byte = parseHexToken(token);
        if (!byte) {
            throw HexFormatError(formatText(tr("Not a hexadecimal byte: \"%1\" (byte %2, column %3)"), token,
                                            bytes.size() + 1, pos + 1));
        }
        bytes.push_back(*byte);
        pos = tokenEnd;
    }
    return bytes;
}

} // namespace zkt
