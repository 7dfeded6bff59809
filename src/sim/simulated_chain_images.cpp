#include "sim/simulated_chain_images.h"

#include "model/config_file.h"
#include "model/example_organ.h"
#include "model/program_image.h"
#include "sim/simulated_chain_mcu.h"

namespace zkt {

namespace {

std::vector<Bytes> encodeManuals(ConfigModel model, int manuals, std::uint8_t hardwareType) {
    std::vector<Bytes> images;
    model.hardwareType = hardwareType;
    for (int manual = 1; manual <= manuals; ++manual) {
        ImageBuffer buffer = newProgramImage();
        encodeProgramImage(model, manual, buffer);
        images.emplace_back(buffer.begin(), buffer.begin() + programImageSize);
    }
    return images;
}

} // namespace

std::vector<Bytes> realisticImages(int mcuCount, std::uint8_t hardwareType) {
    if (mcuCount == 0) {
        return {};
    }
    return encodeManuals(exampleOrgan(mcuCount), mcuCount, hardwareType);
}

std::vector<Bytes> imagesFromConfigurationFile(const std::filesystem::path& file) {
    std::vector<Bytes> images = configurationImages(file.string());
    if (images.empty()) {
        // A chain without MCUs is a legitimate test set-up, but not what a file was given for.
        throw ConfigFileError(file.string(), 0, "holds no manual");
    }
    return images;
}

} // namespace zkt
