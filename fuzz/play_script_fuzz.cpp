#include "sim/play_script.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any text is a script or a PlayScriptError naming its line; nothing else escapes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        zkt::parsePlayScript(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.txt");
    } catch (const zkt::PlayScriptError&) {
    }
    return 0;
}
