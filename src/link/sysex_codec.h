#pragma once
// The 8-bit/7-bit packing of program data and the 7-bit numbers of the device protocol.

#include "model/bytes.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace zkt {

// Receives a message for the user (the desktop program shows a message, zktcli prints it).
using ErrorSink = std::function<void(const std::string&)>;

Bytes pack7(std::span<const std::uint8_t> data);
// A byte of 0x80 or more is reported through errors ("Error in conversion at pos N: <hex>")
// and skipped without counting towards its group; the caller checks the length it gets back.
Bytes unpack7(std::span<const std::uint8_t> packed, const ErrorSink& errors);

Bytes encode7bitNumber(std::uint32_t value, int count);
int decode14(std::uint8_t lo, std::uint8_t hi);

} // namespace zkt
