#include "i18n/po_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Any text either reads as a catalogue or is refused with the line it went wrong on; the
// refusal names a line of the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        zkt::readPo(text);
    } catch (const zkt::PoError& error) {
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        if (error.line() < 1 || error.line() > lines) {
            __builtin_trap();
        }
    }
    return 0;
}
