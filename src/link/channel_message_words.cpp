#include "link/channel_message_words.h"

#include "model/vocabulary.h"

#include <optional>

namespace zkt {

namespace {

struct Words {
    std::string shape;
    std::optional<std::string> changing; // ", velocity 100"
};

std::string noteOn(int note, int channel) {
    return "note " + std::to_string(note) + onMidiChannel(channel);
}

// "Volume (7)" and "Expression (11)" as the keyboard editor lists the shoes' controllers.
std::string controllerName(int number) {
    const VocabularyList& names = vocabulary().controllerNames;
    return names.at(number == controller::volume ? 0 : 1);
}

Words controlChangeWords(const ChannelMessage& m) {
    const std::string channel = onMidiChannel(m.channel);
    const std::string value = ", value " + std::to_string(m.data2);
    switch (m.data1) {
    case controller::bankSelectMsb:
        return {"Bank Select MSB " + std::to_string(m.data2) + channel, std::nullopt};
    case controller::bankSelectLsb:
        return {"Bank Select LSB " + std::to_string(m.data2) + channel, std::nullopt};
    case controller::volume:
    case controller::expression:
        return {controllerName(m.data1) + channel, value};
    case controller::allNotesOff:
        return {"All Notes Off" + channel, std::nullopt};
    default:
        return {"Control Change " + std::to_string(m.data1) + channel, value};
    }
}

Words wordsOf(const ChannelMessage& m) {
    switch (m.kind) {
    case ChannelKind::noteOn:
        if (m.data2 == 0)
            return {"Note On with velocity 0, " + noteOn(m.data1, m.channel), std::nullopt};
        return {"Note On, " + noteOn(m.data1, m.channel), ", velocity " + std::to_string(m.data2)};
    case ChannelKind::noteOff:
        return {"Note Off, " + noteOn(m.data1, m.channel), std::nullopt};
    case ChannelKind::polyPressure:
        return {"Poly Pressure, " + noteOn(m.data1, m.channel), ", value " + std::to_string(m.data2)};
    case ChannelKind::controlChange:
        return controlChangeWords(m);
    case ChannelKind::programChange:
        return {"Program Change #" + std::to_string(m.data1 + 1) + onMidiChannel(m.channel), std::nullopt};
    case ChannelKind::channelPressure:
        return {"Channel Pressure" + onMidiChannel(m.channel), ", value " + std::to_string(m.data1)};
    case ChannelKind::pitchBend:
        return {"Pitch Bend" + onMidiChannel(m.channel),
                ", value " + std::to_string(m.data1 + 128 * m.data2)};
    }
    return {};
}

} // namespace

std::string onMidiChannel(int channel) {
    return " on MIDI Channel " + std::to_string(channel);
}

std::string channelMessageWords(const ChannelMessage& message) {
    Words words = wordsOf(message);
    return words.shape + words.changing.value_or("");
}

std::string channelMessageShape(const ChannelMessage& message) {
    return wordsOf(message).shape;
}

} // namespace zkt
