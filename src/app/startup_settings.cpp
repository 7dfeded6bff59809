#include "app/startup_settings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace zkt {

namespace {

bool contains(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

std::int16_t leadingNumber(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str() || !std::isfinite(value))
        return 0;
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    return static_cast<std::int16_t>(std::clamp<double>(rounded, std::numeric_limits<std::int16_t>::min(),
                                                        std::numeric_limits<std::int16_t>::max()));
}

bool readLogSwitch(cInifile& settings, const std::string& settingsFile) {
    settings.Path(settingsFile);
    bool enabled = false;
    for (const std::string& section : settings.EnumerateAllSections()) {
        if (section != "Bellhaven")
            continue;
        settings.Section(section);
        if (!contains(settings.EnumerateCurrentSection(), "Log"))
            continue;
        settings.Key("Log");
        settings.Default("");
        if (settings.Value() == "1")
            enabled = true;
    }
    return enabled;
}

void readStartupSettings(cInifile& settings, const std::string& settingsFile, MidiSelection& selection,
                         std::string& lastFolder) {
    settings.Path(settingsFile);
    settings.Default("");
    for (const std::string& section : settings.EnumerateAllSections()) {
        settings.Section(section);
        if (section == "MIDI I/O") {
            for (const std::string& key : settings.EnumerateCurrentSection()) {
                settings.Key(key);
                if (key == "Input")
                    selection.savedMidiIn = leadingNumber(settings.Value());
                else if (key == "Output")
                    selection.savedMidiOut = leadingNumber(settings.Value());
                else if (key == "InputName")
                    selection.inputName = settings.Value();
                else if (key == "OutputName")
                    selection.outputName = settings.Value();
            }
        } else if (section == "Preferences" && contains(settings.EnumerateCurrentSection(), "Path")) {
            settings.Key("Path");
            lastFolder = settings.Value();
        }
    }
}

bool readSwitch(cInifile& settings, const std::string& settingsFile, const std::string& section,
                const std::string& key, bool fallback) {
    settings.Path(settingsFile);
    settings.Section(section);
    settings.Key(key);
    settings.Default("");
    return cInifile::CLngDefault(settings.Value(), fallback ? 1 : 0) != 0;
}

void writeSwitch(cInifile& settings, const std::string& settingsFile, const std::string& section,
                 const std::string& key, bool on) {
    settings.Path(settingsFile);
    settings.Section(section);
    settings.Key(key);
    settings.Value(on ? "1" : "0");
}

} // namespace zkt
