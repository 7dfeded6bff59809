#include "fuzz_file.h"
#include "model/config_file.h"

#include <cstddef>
#include <cstdint>

// A configuration file either loads completely or is refused with the model untouched.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = zkt::fuzz::writeScratchFile(data, size, ".zkt");
    zkt::ConfigModel model;
    const zkt::ConfigModel before = model;
    try {
        zkt::readConfigurationFile(path, model);
    } catch (const zkt::ConfigFileError&) {
        if (!(model == before)) {
            __builtin_trap();
        }
    }
    return 0;
}
