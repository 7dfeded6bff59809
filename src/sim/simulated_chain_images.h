#pragma once
// Where the simulated MCUs get their stored program images from when a test does not hand
// them over: a plausible organ, or the manuals of a configuration file.

#include "model/bytes.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zkt {

// One image per manual of the example organ. The hardware type decides the image's format
// byte, as it does when the program writes to a real MCU.
std::vector<Bytes> realisticImages(int mcuCount, std::uint8_t hardwareType);

// One image per manual the file holds, byte for byte as its lines hold them, as MCUs given them
// would; throws ConfigFileError naming file and line, also for a file without a single manual.
std::vector<Bytes> imagesFromConfigurationFile(const std::filesystem::path& file);

} // namespace zkt
