#include "model/manual_summary.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "model/vocabulary.h"

namespace zkt {

namespace {

constexpr int keyOffsetZero = 36;        // the transposition byte that plays at pitch
constexpr int velocitySensingBit = 0x80; // set: the key's velocity is sent, not a fixed value
constexpr int noAnalogInput = 3;

// Inserted rather than concatenated: GCC 12 at -O3 warns of a false overlap in "+" + string.
std::string signedOffset(int offset) {
    std::string text = std::to_string(offset);
    if (offset > 0)
        text.insert(text.begin(), '+');
    return text;
}

std::string velocityText(int velocity) {
    return (velocity & velocitySensingBit) != 0 ? tr("sensing") : std::to_string(velocity);
}

std::string analogInputText(int input) {
    const std::string& name = listEntry(vocabulary().analogInputNames, input + 1);
    return name.empty() ? formatText(tr("input %1"), input) : name;
}

} // namespace

ChannelSummary channelSummary(const ConfigModel& model, int manualIndex, int channel) {
    const Vocabulary& words = vocabulary();
    const int slot = channelSlotOf(manualIndex, channel);
    const shoeInfo& shoe = model.shoes[slot];
    const std::uint8_t velocity = model.channelVelocity[slot];
    ChannelSummary summary{channel,
                           (model.keyboards[manualIndex].channels & (1u << (channel - 1))) != 0,
                           signedOffset(model.channelTranspose[slot] - keyOffsetZero),
                           (velocity & velocitySensingBit) != 0,
                           velocityText(velocity),
                           listEntry(words.analogInputNames, 0),
                           "-"};
    if (shoe.expressionOn) {
        summary.analogInput = analogInputText(shoe.channel);
        summary.controller = listEntry(words.controllerNames, shoe.volumeControl ? 0 : 1);
    }
    return summary;
}

std::vector<ChannelSummary> enabledChannels(const ConfigModel& model, int manualIndex) {
    std::vector<ChannelSummary> channels;
    for (int c = 1; c <= channelsPerManual; ++c) {
        ChannelSummary summary = channelSummary(model, manualIndex, c);
        if (summary.enabled)
            channels.push_back(std::move(summary));
    }
    return channels;
}

std::vector<OptionSummary> keyboardOptions(const keyboardInfo& keyboard) {
    const VocabularyList& captions = vocabulary().keyboardOptionNames;
    std::vector<OptionSummary> options;
    for (std::size_t bit = 0; bit < captions.size(); ++bit)
        options.push_back({(keyboard.keyboardConfig >> bit & 1u) != 0, captions[bit]});
    return options;
}

std::string archiveCrescendoTitle() {
    return tr("Ahlborn Archive Crescendo");
}

std::string archiveCrescendoText(const keyboardInfo& keyboard) {
    if (keyboard.archiveInput >= noAnalogInput)
        return listEntry(vocabulary().analogInputNames, 0);
    // TRANSLATORS: %1 is an analog input ("Input 1"), %2 a channel's number.
    return formatText(tr("%1 on MIDI channel %2"), analogInputText(keyboard.archiveInput),
                      keyboard.archiveChannel);
}

} // namespace zkt
