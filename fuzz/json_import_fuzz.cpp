#include "model/config_json.h"
#include "model/program_image.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Whatever JSON the importer accepts must encode: every refusal happens in the importer,
// with its own message, never later in the encoder.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zkt::ConfigModel model;
    try {
        model = zkt::configurationFromJsonText(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zkt::ConfigJsonError&) {
        return 0;
    }
    for (int manual = 1; manual <= model.numberOfManuals; ++manual) {
        zkt::ImageBuffer image = zkt::newProgramImage();
        zkt::encodeProgramImage(model, manual, image);
    }
    return 0;
}
