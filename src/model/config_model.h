#pragma once
// The in-memory configuration of a whole organ: up to five manuals, each with 16 MIDI
// channels and 20 thumb pistons. Arrays are one entry larger than used, as the stored
// layout has always been; the spare entry is never addressed.

#include <array>
#include <cstdint>
#include <string>

namespace zkt {

inline constexpr int maxManuals = 5;
inline constexpr int pistonsPerManual = 20;
inline constexpr int channelsPerManual = 16;
inline constexpr int analogInputCount = 3;

enum class FunctionGroup : std::int16_t {
    unassigned = 0,
    ahlbornCoupler = 1,
    ahlbornTremulant = 2,
    ahlbornCancel = 3,
    ahlbornGeneral = 4,
    ahlbornSet = 5,
    ahlbornSfz = 6,
    programChange = 7,
    plexoFunction = 8,
    bankSelect = 9,
    hx90Tremulant = 10,
    hx90Cancel = 11,
    noteOnOff = 12,
    allNotesOff = 13,
    larkmoorPiston = 14,
};
inline constexpr int functionGroupCount = 15;

// One thumb piston. functionGroup is kept as a plain number: images and files may carry
// values outside the enumeration, and those must survive untouched.
struct pistonInfo {
    std::int16_t functionGroup = 0;
    std::int16_t functionType = 0;
    std::int16_t midiChannel = 0;
    std::int16_t programNumber = 0;
    bool bankSelMSBFlag = false;
    bool bankSelLSBFlag = false;
    bool bankSelProgramFlag = false;
    std::int16_t bankSelMSB = 0;
    std::int16_t bankSelLSB = 0;

    bool operator==(const pistonInfo&) const = default;
};

// Keyboard-wide settings of one manual.
struct keyboardInfo {
    std::uint8_t archiveChannel = 0; // 1..16; 0 until something was loaded
    std::uint8_t archiveInput = 0;   // 0..2 = "Input 1".."Input 3", 3 = none
    std::uint8_t keyboardConfig = 0; // eight piston + key option bits
    std::uint16_t channels = 0;      // bit i set = MIDI channel i + 1 enabled

    bool operator==(const keyboardInfo&) const = default;
};

// Analog-input (expression shoe) assignment of one MIDI channel of one manual.
struct shoeInfo {
    std::uint8_t channel = 0;   // analog input 0..2, not a MIDI channel
    bool volumeControl = false; // true: controller 7, false: controller 11
    bool expressionOn = false;

    bool operator==(const shoeInfo&) const = default;
};

// Keys of a manual from its lowest C, when nobody has said otherwise: the usual organ manual.
inline constexpr int defaultCompass = 61;

// What the organist calls the manuals ("Great", "Swell") and the pistons ("General 5"), and
// how many keys each manual has. They describe the console, not the boards: no image carries
// them, so a load from the ZKT leaves them as they are. UTF-8; empty for none. The rules for
// the text and the compass are in console_names.h.
struct ConsoleNames {
    std::array<std::string, maxManuals> manualNames;                     // by manualIndex
    std::array<std::string, maxManuals * pistonsPerManual> pistonLabels; // by pistonIndex
    // Keys counted from the lowest key, a C; by manualIndex.
    std::array<int, maxManuals> compass{defaultCompass, defaultCompass, defaultCompass, defaultCompass,
                                        defaultCompass};
    static_assert(maxManuals == 5, "one default compass per manual");

    bool operator==(const ConsoleNames&) const = default;
};

inline constexpr std::uint8_t defaultTranspose = 36; // key offset 0
inline constexpr std::uint8_t defaultVelocity = 128; // velocity option set, value 0

struct ConfigModel {
    std::int16_t numberOfManuals = 0;
    std::uint8_t hardwareType = 0; // from the last identity reply
    std::string firmwareVersion;   // from the last identity reply

    std::array<keyboardInfo, maxManuals + 1> keyboards{};
    std::array<pistonInfo, maxManuals * pistonsPerManual + 1> pistons{};
    std::array<shoeInfo, maxManuals * channelsPerManual + 1> shoes{};
    std::array<std::uint8_t, maxManuals * channelsPerManual + 1> channelTranspose{};
    std::array<std::uint8_t, maxManuals * channelsPerManual + 1> channelVelocity{};
    ConsoleNames names;

    ConfigModel(); // the start-up state

    bool operator==(const ConfigModel&) const = default;
};

// The configuration proper is what a file holds: numberOfManuals, every record and the
// console's names. What the last identity reply said describes the device, so undoing an edit or a
// load leaves it alone.
bool sameConfiguration(const ConfigModel& a, const ConfigModel& b);
void takeConfiguration(ConfigModel& target, const ConfigModel& source);

// manualIndex = manual number - 1; pistonInManual 0..19; midiChannel 1..16.
constexpr int pistonIndexOf(int manualIndex, int pistonInManual) {
    return manualIndex * pistonsPerManual + pistonInManual;
}
constexpr int channelSlotOf(int manualIndex, int midiChannel) {
    return manualIndex * channelsPerManual + midiChannel - 1;
}

} // namespace zkt
