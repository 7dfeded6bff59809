#include "link/message_meaning.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Whatever bytes the wire brings, the monitor's words for them are read from within them, and
// there always are some.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> message(data, size);
    for (const auto direction : {zkt::TrafficDirection::sent, zkt::TrafficDirection::received}) {
        if (zkt::messageMeaning(direction, message).empty()) {
            __builtin_trap();
        }
    }
    return 0;
}
