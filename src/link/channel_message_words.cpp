#include "link/channel_message_words.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/vocabulary.h"

#include <optional>

namespace zkt {

namespace {

struct Words {
    std::string shape;
    std::optional<std::string> changing; // ", velocity 100"
};

std::string noteOn(int note, int channel) {
    return formatText(tr("note %1 on MIDI Channel %2"), note, channel);
}

// What a message is, on its channel: "Volume (7) on MIDI Channel 6".
std::string onChannel(const std::string& what, int channel) {
    return formatText(tr("%1 on MIDI Channel %2"), what, channel);
}

// TRANSLATORS: put after a message's words, as in "Volume (7) on MIDI Channel 6, value 100".
std::string valueOf(int value) {
    return formatText(tr(", value %1"), value);
}

// "Volume (7)" and "Expression (11)" as the keyboard editor lists the shoes' controllers.
std::string controllerName(int number) {
    const VocabularyList& names = vocabulary().controllerNames;
    return names.at(number == controller::volume ? 0 : 1);
}

Words controlChangeWords(const ChannelMessage& m) {
    switch (m.data1) {
    case controller::bankSelectMsb:
        return {onChannel(formatText(tr("Bank Select MSB %1"), m.data2), m.channel), std::nullopt};
    case controller::bankSelectLsb:
        return {onChannel(formatText(tr("Bank Select LSB %1"), m.data2), m.channel), std::nullopt};
    case controller::volume:
    case controller::expression:
        return {onChannel(controllerName(m.data1), m.channel), valueOf(m.data2)};
    case controller::allNotesOff:
        return {onChannel(tr("All Notes Off"), m.channel), std::nullopt};
    default:
        return {onChannel(formatText(tr("Control Change %1"), m.data1), m.channel), valueOf(m.data2)};
    }
}

Words wordsOf(const ChannelMessage& m) {
    switch (m.kind) {
    case ChannelKind::noteOn:
        if (m.data2 == 0)
            return {formatText(tr("Note On with velocity 0, %1"), noteOn(m.data1, m.channel)), std::nullopt};
        // TRANSLATORS: put after "Note On, note 60 on MIDI Channel 1".
        return {formatText(tr("Note On, %1"), noteOn(m.data1, m.channel)),
                formatText(tr(", velocity %1"), m.data2)};
    case ChannelKind::noteOff:
        return {formatText(tr("Note Off, %1"), noteOn(m.data1, m.channel)), std::nullopt};
    case ChannelKind::polyPressure:
        return {formatText(tr("Poly Pressure, %1"), noteOn(m.data1, m.channel)), valueOf(m.data2)};
    case ChannelKind::controlChange:
        return controlChangeWords(m);
    case ChannelKind::programChange:
        return {onChannel(formatText(tr("Program Change #%1"), m.data1 + 1), m.channel), std::nullopt};
    case ChannelKind::channelPressure:
        return {onChannel(tr("Channel Pressure"), m.channel), valueOf(m.data1)};
    case ChannelKind::pitchBend:
        return {onChannel(tr("Pitch Bend"), m.channel), valueOf(m.data1 + 128 * m.data2)};
    }
    return {};
}

} // namespace

std::string channelMessageWords(const ChannelMessage& message) {
    Words words = wordsOf(message);
    return words.shape + words.changing.value_or("");
}

std::string channelMessageShape(const ChannelMessage& message) {
    return wordsOf(message).shape;
}

} // namespace zkt
