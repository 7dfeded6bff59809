#pragma once
// The 8-bit/7-bit packing of program data and the 7-bit numbers of the device protocol.

#include "model/bytes.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zkt {

// Receives a message for the user (the window shows a box, zktcli prints it).
using ErrorSink = std::function<void(const std::string&)>;

Bytes pack7(std::span<const std::uint8_t> data);
// A byte of 0x80 or more is reported through errors ("Error in conversion at pos N: <hex>")
// and skipped without counting towards its group; the caller checks the length it gets back.
Bytes unpack7(std::span<const std::uint8_t> packed, const ErrorSink& errors);

Bytes encode7bitNumber(std::uint32_t value, int count);
int decode14(std::uint8_t lo, std::uint8_t hi);

namespace sysex {
inline constexpr std::uint8_t start = 0xF0;
inline constexpr std::uint8_t end = 0xF7;
inline constexpr std::uint8_t allDevices = 0x7F;
inline constexpr std::string_view manufacturerHeader = "f0 00 2f 71 ";
inline constexpr std::string_view tagPrefix = "F0 00 2f 71 7f 04 02 ";
inline constexpr std::string_view loopbackPrefix = "F0 00 2f 71 7f 04 03 ";
inline constexpr std::string_view identityRequest = "F0 7E 00 06 01 ";
inline constexpr std::string_view identityReply = "F0 7E 00 06 02 ";
inline constexpr std::string_view programRequestCommand = " 04 01 03 ";
inline constexpr std::string_view programResponseCommand = " 04 01 04 ";
inline constexpr std::string_view programUpdateCommand = " 04 01 08 ";
inline constexpr std::string_view mcuRebootCommand = " 04 01 20 ";
} // namespace sysex

} // namespace zkt
