#include "model/example_organ.h"

#include "model/function_group_rules.h"
#include "model/program_image.h"

namespace zkt {

namespace {

constexpr std::uint8_t sensingVelocity(int value) {
    return static_cast<std::uint8_t>(0x80 | value);
}
constexpr std::uint8_t fixedVelocity(int value) {
    return static_cast<std::uint8_t>(value);
}
constexpr std::uint8_t keyOffset(int semitones) {
    return static_cast<std::uint8_t>(defaultTranspose + semitones);
}

// The decoder reads velocity bytes 80 and 00 as FF and 7F; giving every channel another
// value keeps the example unchanged through a file.
constexpr std::uint8_t untouchedChannelVelocity = 0xFF;

// Fields as the decoder leaves them.
pistonInfo assigned(FunctionGroup group, int channel, int value) {
    pistonInfo p;
    p.functionGroup = static_cast<std::int16_t>(group);
    p.midiChannel = static_cast<std::int16_t>(channel);
    p.programNumber = static_cast<std::int16_t>(value);
    if (functionGroupRule(group).typeHoldsDecodedValue) {
        p.functionType = static_cast<std::int16_t>(value);
    }
    return p;
}

pistonInfo bankSelect(int channel, int msb, int lsb, int program) {
    pistonInfo p = assigned(FunctionGroup::bankSelect, channel, program);
    p.bankSelMSBFlag = true;
    p.bankSelMSB = static_cast<std::int16_t>(msb);
    p.bankSelLSBFlag = true;
    p.bankSelLSB = static_cast<std::int16_t>(lsb);
    p.bankSelProgramFlag = true;
    return p;
}

pistonInfo allNotesOff(int channel, bool allChannels) {
    pistonInfo p = assigned(FunctionGroup::allNotesOff, channel, 0);
    p.bankSelProgramFlag = allChannels;
    return p;
}

void setPistons(ConfigModel& model, int manual, int mainChannel) {
    const int m = manual - 1; // also varies the functions from manual to manual
    const auto at = [&](int pistonInManual) -> pistonInfo& {
        return model.pistons[static_cast<std::size_t>(pistonIndexOf(m, pistonInManual))];
    };
    constexpr int larkmoorUpDown = 0x1A;
    constexpr int plexoPanic = 22;
    constexpr int generalCancel = 0;
    constexpr int middleC = 60;

    at(0) = assigned(FunctionGroup::ahlbornSet, mainChannel, 0);
    for (int general = 0; general < 6; ++general) {
        at(1 + general) = assigned(FunctionGroup::ahlbornGeneral, mainChannel, m * 6 + general);
    }
    at(7) = assigned(FunctionGroup::ahlbornCoupler, mainChannel, m % 6);
    at(8) = assigned(FunctionGroup::ahlbornTremulant, mainChannel, m % 3);
    at(9) = assigned(FunctionGroup::ahlbornCancel, mainChannel, 1 + m % 3);
    at(10) = assigned(FunctionGroup::programChange, mainChannel, 10 * manual + 1);
    at(11) = assigned(FunctionGroup::programChange, mainChannel + 5, 128);
    at(12) = bankSelect(mainChannel + 5, 0, manual, 5 + manual);
    at(13) = assigned(FunctionGroup::larkmoorPiston, m % 2, larkmoorUpDown);
    at(14) = assigned(FunctionGroup::noteOnOff, mainChannel, middleC + manual + 1);
    at(15) = assigned(FunctionGroup::plexoFunction, mainChannel, plexoPanic);
    at(16) = assigned(FunctionGroup::hx90Tremulant, mainChannel, 64);
    at(17) = allNotesOff(mainChannel, manual % 2 == 1);
    at(18) = assigned(FunctionGroup::ahlbornSfz, mainChannel, 0);
    at(19) = assigned(FunctionGroup::ahlbornCancel, mainChannel, generalCancel);
}

void setManual(ConfigModel& model, int manual) {
    const int m = manual - 1;
    const int mainChannel = manual;      // channels 1..5
    const int layerChannel = manual + 5; // channels 6..10, an octave up
    const int slot = channelSlotOf(m, 1);

    for (int i = 0; i < channelsPerManual; ++i) {
        model.channelVelocity[static_cast<std::size_t>(slot + i)] = untouchedChannelVelocity;
    }
    const auto mainSlot = static_cast<std::size_t>(channelSlotOf(m, mainChannel));
    const auto layerSlot = static_cast<std::size_t>(channelSlotOf(m, layerChannel));
    model.channelVelocity[mainSlot] = sensingVelocity(100);
    model.channelVelocity[layerSlot] = fixedVelocity(90 - 10 * m);
    model.channelTranspose[mainSlot] = keyOffset(0);
    model.channelTranspose[layerSlot] = keyOffset(12);
    // Expression on the main channel from input 1, the swell shoe (input 2) as volume on the layer.
    model.shoes[mainSlot] = {0, false, true};
    model.shoes[layerSlot] = {1, true, true};

    keyboardInfo& kb = model.keyboards[static_cast<std::size_t>(m)];
    kb.channels = static_cast<std::uint16_t>((1u << (mainChannel - 1)) | (1u << (layerChannel - 1)));
    kb.keyboardConfig = manual == 1 ? 0xFF : 0x81;
    kb.archiveChannel = static_cast<std::uint8_t>(mainChannel);
    kb.archiveInput = manual == 1 ? 2 : 3; // input 3 drives the crescendo from manual 1 only

    setPistons(model, manual, mainChannel);
}

} // namespace

ConfigModel exampleOrgan(int manuals) {
    if (manuals < 1 || manuals > maxManuals) {
        throw std::out_of_range("an example organ has 1 to " + std::to_string(maxManuals) + " manuals, not " +
                                std::to_string(manuals));
    }
    ConfigModel model;
    model.numberOfManuals = static_cast<std::int16_t>(manuals);
    for (int manual = 1; manual <= manuals; ++manual) {
        setManual(model, manual);
    }
    return model;
}

} // namespace zkt
