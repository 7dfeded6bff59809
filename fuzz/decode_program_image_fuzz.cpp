#include "model/program_image.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Whatever bytes arrive as an image, decoding either succeeds or is refused, and an image that
// decodes to an encodable model comes back stable after one more decode/encode round.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zkt::ConfigModel model;
    try {
        zkt::decodeProgramImage(model, 1, std::span<const std::uint8_t>(data, size));
    } catch (const zkt::ImageTooShort&) {
        return 0;
    }
    zkt::ImageBuffer first = zkt::newProgramImage();
    try {
        zkt::encodeProgramImage(model, 1, first);
    } catch (const zkt::EncodeOverflow&) {
        return 0;
    }
    zkt::ConfigModel again;
    zkt::decodeProgramImage(again, 1, first);
    zkt::ImageBuffer second = zkt::newProgramImage();
    zkt::encodeProgramImage(again, 1, second);
    if (first != second) {
        __builtin_trap();
    }
    return 0;
}
