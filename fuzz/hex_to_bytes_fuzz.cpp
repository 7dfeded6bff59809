#include "model/hex_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any text either converts or is refused with HexFormatError; converted text must survive
// the round trip through bytesToHex.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const zkt::Bytes bytes = zkt::hexToBytes(text);
        if (zkt::hexToBytes(zkt::bytesToHex(bytes)) != bytes) {
            __builtin_trap();
        }
    } catch (const zkt::HexFormatError&) {
    }
    return 0;
}
