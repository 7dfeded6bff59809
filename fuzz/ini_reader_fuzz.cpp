#include "fuzz_file.h"
#include "settings/ini_file.h"

#include <cstddef>
#include <cstdint>

// Every read of an arbitrary settings file returns something; no read may fail or crash, and
// a value never comes back longer than a read can hold.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zkt::cInifile ini;
    ini.Path(zkt::fuzz::writeScratchFile(data, size, ".ini"));
    for (const std::string& section : ini.EnumerateAllSections()) {
        ini.Section(section);
        for (const std::string& key : ini.EnumerateCurrentSection()) {
            ini.Key(key);
            if (ini.Value().size() > 254) {
                __builtin_trap();
            }
        }
    }
    ini.Section("ZKTConfig");
    zkt::FormGeometry window{};
    window.screen.widthTwips = 19200;
    window.screen.heightTwips = 12000;
    ini.LoadFormPosition(window, 1000, 1000);
    return 0;
}
