#pragma once
// The hex text in which a configuration file line (and, for the log and the tests, any
// message) is written: two lower-case digits per byte, each followed by one blank.

#include "model/bytes.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zkt {

class HexFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws std::out_of_range outside 0..255.
std::string hexByte(int value);
std::string bytesToHex(std::span<const std::uint8_t> bytes);
// Tokens are separated by blanks and hold one or two hex digits of either case. Throws
// HexFormatError naming the token and its 1-based byte and column when a token is not that.
Bytes hexToBytes(std::string_view hexText);

} // namespace zkt
