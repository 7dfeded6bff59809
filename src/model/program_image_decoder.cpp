#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/function_group_rules.h"
#include "model/image_layout.h"
#include "model/program_image.h"
#include "model/vocabulary.h"

namespace zkt {

using namespace imagepos;

namespace {

constexpr std::uint8_t velocityOptionOnly = 0x80;
constexpr std::uint8_t noVelocity = 0x00;

struct EntryBytes {
    std::uint8_t first;
    std::uint8_t second;

    int kind() const { return first >> 4; }
    int lowNibble() const { return first & 0x0F; }
};

EntryBytes entryAt(std::span<const std::uint8_t> image, int position) {
    return {imageByte(image, position), imageByte(image, position + 1)};
}

// What a piston entry says, before it is stored into the record.
struct DecodedPiston {
    int group = 0;
    int channel = 0;
    int value = 0;
};

void decodeMainEntry(EntryBytes entry, pistonInfo& piston, DecodedPiston& d) {
    const int s = entry.second;
    switch (entry.kind()) {
    case 0x0:
        d.channel = entry.lowNibble() + 1;
        if (const auto ahlborn = decodeAhlbornCode(entry.second)) {
            d.group = ahlborn->group;
            d.value = ahlborn->type;
        }
        break;
    case 0x1:
        if (s <= 0x7F) {
            d = {static_cast<int>(FunctionGroup::programChange), entry.lowNibble() + 1, s + 1};
        }
        break;
    case 0x2:
        d = {static_cast<int>(FunctionGroup::plexoFunction), entry.lowNibble() + 1, s - 36};
        break;
    case 0x7:
        if (s <= 0x7F) {
            d = {static_cast<int>(FunctionGroup::noteOnOff), entry.lowNibble() + 1, s + 1};
        } else {
            d = {static_cast<int>(FunctionGroup::allNotesOff), entry.lowNibble() + 1, 0};
            piston.bankSelProgramFlag = s >= 0xC0;
        }
        break;
    case 0x8:
        if (s == 0x00) {
            d = {static_cast<int>(FunctionGroup::hx90Cancel), entry.lowNibble() + 1, 0};
        } else if (s >= 0x81) {
            d = {static_cast<int>(FunctionGroup::hx90Tremulant), entry.lowNibble() + 1, s - 128};
        }
        break;
    case 0x9:
        d = {static_cast<int>(FunctionGroup::larkmoorPiston), entry.lowNibble(), s};
        break;
    default:
        break;
    }
}

// A bank entry turns the piston into a Bank Select; a program change already found in the
// main entry becomes the bank select's program.
bool takeBankEntry(EntryBytes entry, bool msbArea, pistonInfo& piston, DecodedPiston& d) {
    const bool highBit = entry.second >= 0x80;
    if (entry.kind() != 0x4 || highBit != msbArea) {
        return false;
    }
    if (d.group == static_cast<int>(FunctionGroup::programChange)) {
        piston.bankSelProgramFlag = true;
    }
    d.group = static_cast<int>(FunctionGroup::bankSelect);
    d.channel = entry.lowNibble() + 1;
    return true;
}

void decodePiston(std::span<const std::uint8_t> image, int k, pistonInfo& piston) {
    DecodedPiston d;
    decodeMainEntry(entryAt(image, pistonEntry(mainEntries, k)), piston, d);

    const EntryBytes msb = entryAt(image, pistonEntry(bankMsbEntries, k));
    if (takeBankEntry(msb, true, piston, d)) {
        piston.bankSelMSBFlag = true;
        piston.bankSelMSB = static_cast<std::int16_t>(msb.second - 0x80);
    }
    const EntryBytes lsb = entryAt(image, pistonEntry(bankLsbEntries, k));
    if (takeBankEntry(lsb, false, piston, d)) {
        piston.bankSelLSBFlag = true;
        piston.bankSelLSB = lsb.second;
    }

    if (d.group == 0) {
        return;
    }
    piston.functionGroup = static_cast<std::int16_t>(d.group);
    piston.midiChannel = static_cast<std::int16_t>(d.channel);
    piston.programNumber = static_cast<std::int16_t>(d.value);
    if (functionGroupRule(d.group)->typeHoldsDecodedValue) {
        piston.functionType = static_cast<std::int16_t>(d.value);
    }
}

void decodeChannels(std::span<const std::uint8_t> image, ConfigModel& model, int m) {
    std::uint16_t enabled = 0;
    for (int i = 0; i < channelsPerManual; ++i) {
        const int maskByte = imageByte(image, i < 8 ? channelEnableLow : channelEnableHigh);
        if (maskByte & (1 << (i % 8))) {
            enabled = static_cast<std::uint16_t>(enabled | (1u << i));
        }
        const auto slot = static_cast<std::size_t>(channelSlotOf(m, i + 1));
        model.channelTranspose[slot] = imageByte(image, transposition + i);

        // 80 and 00 are read as full values (FF, 7F), as configurations have always been
        // shown; an encode does not undo this.
        std::uint8_t velocityByte = imageByte(image, velocity + i);
        if (velocityByte == velocityOptionOnly) {
            velocityByte = 0xFF;
        }
        if (velocityByte == noVelocity) {
            velocityByte = 0x7F;
        }
        model.channelVelocity[slot] = velocityByte;
    }
    model.keyboards[static_cast<std::size_t>(m)].channels = enabled;
}

void decodeShoes(std::span<const std::uint8_t> image, ConfigModel& model, int m) {
    constexpr int noInput = 3;
    for (int i = 0; i < channelsPerManual; ++i) {
        const int pair = imageByte(image, analogNibbles + i / 2);
        const int nibble = i % 2 == 0 ? pair & 0x0F : pair >> 4;
        const int input = nibble & 0x03;
        auto& shoe = model.shoes[static_cast<std::size_t>(channelSlotOf(m, i + 1))];
        shoe.expressionOn = (nibble & 0x04) != 0 && input != noInput;
        shoe.channel = static_cast<std::uint8_t>(input == noInput ? 0 : input);
        shoe.volumeControl = (nibble & 0x08) == 0;
    }
}

} // namespace

std::optional<AhlbornFunction> decodeAhlbornCode(std::uint8_t code) {
    const auto& codes = vocabulary().functionCodeBytes;
    for (int group = static_cast<int>(FunctionGroup::ahlbornCoupler);
         group <= static_cast<int>(FunctionGroup::ahlbornSfz); ++group) {
        const auto& groupCodes = codes[static_cast<std::size_t>(group)];
        for (std::size_t type = 0; type < groupCodes.size(); ++type) {
            if (groupCodes[type] == code) {
                return AhlbornFunction{group, static_cast<int>(type)};
            }
        }
    }
    return std::nullopt;
}

void decodeProgramImage(ConfigModel& model, int manual, std::span<const std::uint8_t> image) {
    checkManualNumber(manual);
    if (image.size() < static_cast<std::size_t>(lastDecodedPosition)) {
        throw ImageTooShort(formatText(tr("program image has %1 bytes, at least %2 are needed"), image.size(),
                                       lastDecodedPosition));
    }
    const int m = manual - 1;
    decodeChannels(image, model, m);
    decodeShoes(image, model, m);

    auto& keyboard = model.keyboards[static_cast<std::size_t>(m)];
    keyboard.keyboardConfig = imageByte(image, keyboardConfig);
    const int archive = imageByte(image, archiveCrescendo);
    keyboard.archiveChannel = static_cast<std::uint8_t>(archive / 16 + 1);
    keyboard.archiveInput = static_cast<std::uint8_t>((archive % 16) / 4);

    // Each image describes every piston of its manual. Starting from empty records keeps a
    // piston the image leaves unassigned, or a bank entry it no longer has, from carrying
    // over from the configuration loaded before.
    for (int k = 0; k < pistonsPerManual; ++k) {
        pistonInfo& piston = model.pistons[static_cast<std::size_t>(pistonIndexOf(m, k))];
        piston = pistonInfo{};
        decodePiston(image, k, piston);
    }
}

} // namespace zkt
