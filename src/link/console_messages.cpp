#include "link/console_messages.h"

namespace zkt {

namespace {

constexpr int highestNote = 127;
constexpr std::uint8_t velocitySensing = 0x80;
constexpr int releaseVelocity = 64;

bool channelEnabled(const ConfigModel& model, int manualIndex, int channel) {
    return ((model.keyboards[static_cast<std::size_t>(manualIndex)].channels >> (channel - 1)) & 1u) != 0;
}

ChannelMessage message(ChannelKind kind, int channel, int data1, int data2 = 0) {
    return ChannelMessage{kind, channel, data1, data2};
}

} // namespace

std::optional<int> keyNote(const ConfigModel& model, int channelSlot, int key) {
    const int note = model.channelTranspose[static_cast<std::size_t>(channelSlot)] + key - 1;
    if (key < 1 || note > highestNote)
        return std::nullopt;
    return note;
}

std::optional<int> fixedVelocity(const ConfigModel& model, int channelSlot) {
    const std::uint8_t stored = model.channelVelocity[static_cast<std::size_t>(channelSlot)];
    if ((stored & velocitySensing) != 0)
        return std::nullopt;
    return stored == 0 ? highestNote : stored;
}

std::vector<ChannelMessage> keyMessages(const ConfigModel& model, int manualIndex, int key, bool pressed,
                                        int playedVelocity) {
    std::vector<ChannelMessage> messages;
    for (int channel = 1; channel <= channelsPerManual; ++channel) {
        const int slot = channelSlotOf(manualIndex, channel);
        const auto note = keyNote(model, slot, key);
        if (!channelEnabled(model, manualIndex, channel) || !note)
            continue;
        if (pressed)
            messages.push_back(message(ChannelKind::noteOn, channel, *note,
                                       fixedVelocity(model, slot).value_or(playedVelocity)));
        else
            messages.push_back(message(ChannelKind::noteOff, channel, *note, releaseVelocity));
    }
    return messages;
}

bool sendsOrgansOwnMessages(const pistonInfo& piston) {
    switch (static_cast<FunctionGroup>(piston.functionGroup)) {
    case FunctionGroup::ahlbornCoupler:
    case FunctionGroup::ahlbornTremulant:
    case FunctionGroup::ahlbornCancel:
    case FunctionGroup::ahlbornGeneral:
    case FunctionGroup::ahlbornSet:
    case FunctionGroup::ahlbornSfz:
    case FunctionGroup::plexoFunction:
    case FunctionGroup::hx90Tremulant:
    case FunctionGroup::hx90Cancel:
    case FunctionGroup::larkmoorPiston:
        return true;
    default:
        return false;
    }
}

std::vector<ChannelMessage> pistonMessages(const pistonInfo& piston, bool pressed) {
    const int channel = piston.midiChannel;
    const int value = piston.programNumber - 1; // programs and notes are stored one up
    std::vector<ChannelMessage> messages;
    // Fields no editor gives (from a damaged file or JSON) name no message at all.
    const auto isDataByte = [](int byte) { return byte >= 0 && byte <= highestNote; };
    const bool bank = piston.functionGroup == static_cast<int>(FunctionGroup::bankSelect);
    const bool usesValue = piston.functionGroup == static_cast<int>(FunctionGroup::programChange) ||
                           piston.functionGroup == static_cast<int>(FunctionGroup::noteOnOff) ||
                           (bank && piston.bankSelProgramFlag);
    if (channel < 1 || channel > channelsPerManual || (usesValue && !isDataByte(value)) ||
        (bank && piston.bankSelMSBFlag && !isDataByte(piston.bankSelMSB)) ||
        (bank && piston.bankSelLSBFlag && !isDataByte(piston.bankSelLSB)))
        return messages;
    switch (static_cast<FunctionGroup>(piston.functionGroup)) {
    case FunctionGroup::programChange:
        if (pressed)
            messages.push_back(message(ChannelKind::programChange, channel, value));
        break;
    case FunctionGroup::bankSelect:
        if (!pressed)
            break;
        if (piston.bankSelMSBFlag)
            messages.push_back(
                message(ChannelKind::controlChange, channel, controller::bankSelectMsb, piston.bankSelMSB));
        if (piston.bankSelLSBFlag)
            messages.push_back(
                message(ChannelKind::controlChange, channel, controller::bankSelectLsb, piston.bankSelLSB));
        if (piston.bankSelProgramFlag)
            messages.push_back(message(ChannelKind::programChange, channel, value));
        break;
    case FunctionGroup::noteOnOff:
        messages.push_back(pressed ? message(ChannelKind::noteOn, channel, value, pistonNoteVelocity)
                                   : message(ChannelKind::noteOff, channel, value, releaseVelocity));
        break;
    case FunctionGroup::allNotesOff:
        if (!pressed)
            break;
        for (int c = 1; c <= channelsPerManual; ++c) {
            if (piston.bankSelProgramFlag || c == channel)
                messages.push_back(message(ChannelKind::controlChange, c, controller::allNotesOff));
        }
        break;
    default:
        break;
    }
    return messages;
}

std::vector<ChannelMessage> shoeMessages(const ConfigModel& model, int manualIndex, int input, int value) {
    std::vector<ChannelMessage> messages;
    for (int channel = 1; channel <= channelsPerManual; ++channel) {
        const shoeInfo& shoe = model.shoes[static_cast<std::size_t>(channelSlotOf(manualIndex, channel))];
        if (!shoe.expressionOn || shoe.channel != input)
            continue;
        messages.push_back(message(ChannelKind::controlChange, channel,
                                   shoe.volumeControl ? controller::volume : controller::expression, value));
    }
    return messages;
}

} // namespace zkt
