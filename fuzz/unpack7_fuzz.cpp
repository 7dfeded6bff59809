#include "link/sysex_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Unpacking arbitrary bytes never reads out of bounds, and clean 7-bit input made of whole
// groups of eight repacks to itself.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    bool reported = false;
    const zkt::Bytes unpacked = zkt::unpack7(input, [&](const std::string&) { reported = true; });
    if (!reported && size % 8 == 0) {
        if (zkt::pack7(unpacked) != zkt::Bytes(input.begin(), input.end())) {
            __builtin_trap();
        }
    }
    return 0;
}
