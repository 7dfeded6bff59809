#include "model/keyboard_form.h"

#include "model/vocabulary.h"

namespace zkt {

namespace {

constexpr int topOfByteList = 127;   // key offset and velocity lists run 127 down to 0
constexpr int topOfChannelList = 16; // the archive channel list runs 16 down to 1
constexpr std::uint8_t velocityOptionBit = 0x80;
constexpr std::uint8_t velocityValueBits = 0x7F;
constexpr int disabledInput = 0;  // "Disabled" in an analog input list
constexpr int firstInput = 1;     // "Input 1"
constexpr int volumePosition = 0; // "Volume (7)"
constexpr std::uint8_t noArchiveInput = 3;

int positionIn(const ListItems& list, int position) {
    return position >= 0 && position < list.count() ? position : noSelection;
}

bool bitIsSet(unsigned value, int bit) {
    return ((value >> bit) & 1U) != 0;
}

} // namespace

const ListItems& keyOffsetList() {
    static const ListItems list = fillNumberList(-36, 91, true);
    return list;
}

const ListItems& velocityList() {
    static const ListItems list = fillNumberList(0, topOfByteList, false);
    return list;
}

const ListItems& analogInputList() {
    static const ListItems list = fillListFromVocabulary(vocabulary().analogInputNames, false);
    return list;
}

const ListItems& controllerList() {
    static const ListItems list = fillListFromVocabulary(vocabulary().controllerNames, false);
    return list;
}

const ListItems& archiveChannelList() {
    static const ListItems list = fillNumberList(1, topOfChannelList, false);
    return list;
}

KeyboardInputs keyboardInputsOf(const ManualSettings& settings) {
    KeyboardInputs inputs;
    for (std::size_t c = 0; c < inputs.rows.size(); ++c) {
        ChannelRowInputs& row = inputs.rows[c];
        const std::uint8_t velocity = settings.channelVelocity[c];
        const shoeInfo& shoe = settings.shoes[c];
        row.on = bitIsSet(settings.keyboard.channels, static_cast<int>(c));
        row.keyOffset = positionIn(keyOffsetList(), topOfByteList - settings.channelTranspose[c]);
        row.velocityOn = (velocity & velocityOptionBit) != 0;
        row.velocity = topOfByteList - (velocity & velocityValueBits);
        row.analogInput =
            shoe.expressionOn ? positionIn(analogInputList(), shoe.channel + firstInput) : disabledInput;
        row.controller = shoe.volumeControl ? volumePosition : volumePosition + 1;
    }
    for (int bit = 0; bit < keyboardOptionBits; ++bit)
        inputs.options[static_cast<std::size_t>(bit)] = bitIsSet(settings.keyboard.keyboardConfig, bit);
    const std::uint8_t archive = settings.keyboard.archiveInput;
    inputs.archiveInput =
        archive == noArchiveInput ? disabledInput : positionIn(analogInputList(), archive + firstInput);
    inputs.archiveChannel =
        positionIn(archiveChannelList(), topOfChannelList - settings.keyboard.archiveChannel);
    return inputs;
}

ChannelRowEnabled enabledInputs(const ChannelRowInputs& row) {
    return {row.on, row.on, row.on && !row.velocityOn, row.analogInput != disabledInput};
}

ManualSettings savedSettings(const ManualSettings& settings, const KeyboardInputs& inputs) {
    // A position outside its list is no selection: what the settings hold stays.
    const auto listed = [](const ListItems& list, int position) {
        return positionIn(list, position) != noSelection;
    };
    ManualSettings saved = settings;
    std::uint16_t mask = 0;
    for (std::size_t c = 0; c < inputs.rows.size(); ++c) {
        const ChannelRowInputs& row = inputs.rows[c];
        if (row.on) {
            mask = static_cast<std::uint16_t>(mask | (1U << c));
            if (listed(keyOffsetList(), row.keyOffset))
                saved.channelTranspose[c] = static_cast<std::uint8_t>(topOfByteList - row.keyOffset);
            if (listed(velocityList(), row.velocity))
                saved.channelVelocity[c] = static_cast<std::uint8_t>(
                    (topOfByteList - row.velocity) | (row.velocityOn ? velocityOptionBit : 0));
        }
        shoeInfo& shoe = saved.shoes[c];
        if (row.analogInput == disabledInput) {
            shoe.expressionOn = false;
        } else if (listed(analogInputList(), row.analogInput)) {
            shoe.expressionOn = true;
            shoe.channel = static_cast<std::uint8_t>(row.analogInput - firstInput);
        }
        if (listed(controllerList(), row.controller))
            shoe.volumeControl = row.controller == volumePosition;
    }
    saved.keyboard.channels = mask;
    unsigned options = 0;
    for (int bit = 0; bit < keyboardOptionBits; ++bit) {
        if (inputs.options[static_cast<std::size_t>(bit)])
            options |= 1U << bit;
    }
    saved.keyboard.keyboardConfig = static_cast<std::uint8_t>(options);
    if (inputs.archiveInput == disabledInput)
        saved.keyboard.archiveInput = noArchiveInput;
    else if (listed(analogInputList(), inputs.archiveInput))
        saved.keyboard.archiveInput = static_cast<std::uint8_t>(inputs.archiveInput - firstInput);
    if (listed(archiveChannelList(), inputs.archiveChannel))
        saved.keyboard.archiveChannel = static_cast<std::uint8_t>(topOfChannelList - inputs.archiveChannel);
    return saved;
}

std::string keyboardEditorLocation(int manualIndex) {
    const int number = manualIndex + 1;
    return "Manual #" + (number < 0 ? std::to_string(number) : " " + std::to_string(number));
}

} // namespace zkt
