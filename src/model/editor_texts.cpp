#include "model/editor_texts.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

namespace zkt::editortext {

std::string save() {
    return tr("Save");
}

std::string cancel() {
    return tr("Cancel");
}

std::string pistonTitle() {
    return tr("Thumb Piston Assignment");
}

std::string pistonLocationUnknown() {
    return tr("Thumb piston location:");
}

std::string labelCaption() {
    return tr("&Label:");
}

std::string labelPlaceholder() {
    return tr("As on the console, e.g. General 5");
}

std::string labelAccessibleName() {
    return tr("Label of the piston");
}

std::string functionQuestion() {
    return tr("What do you want this thumb piston to do?");
}

std::string midiChannelCaption() {
    return tr("MIDI Channel");
}

std::string numCaption() {
    // The LARKMOOR code's own name, the same in every language.
    return "NUM=";
}

std::string allChannelsCaption() {
    return tr("All");
}

std::string keyboardTitle() {
    return tr("Keyboard Settings");
}

std::string manualLocationUnknown() {
    return tr("Manual #?");
}

std::string nameCaption() {
    return tr("&Name:");
}

std::string namePlaceholder() {
    return tr("As the organist calls it, e.g. Great, Swell, Pedal");
}

std::string nameAccessibleName() {
    return tr("Name of the manual");
}

std::string channelPageHeading() {
    return tr("You can choose the key offset, velocity, and analog input for each channel");
}

std::string velocityOnCaption() {
    return tr("On");
}

std::string velocityOnToolTip() {
    return tr("Checked: the keys send the velocity they are played with.\n"
              "Unchecked: every note has the fixed velocity chosen beside.");
}

std::string generalPageHeading() {
    return tr("These settings apply to this entire keyboard");
}

std::string optionsFrame() {
    return tr("Enable Piston + Key Combinations");
}

std::string archiveFrame() {
    return tr("Ahlborn Archive Crescendo");
}

std::string archiveInputQuestion() {
    return tr("Use with which Analog Input?");
}

std::string archiveChannelQuestion() {
    return tr("On which MIDI channel?");
}

std::array<std::string, 2> pageCaptions() {
    return {tr("MIDI Channel Settings"), tr("General Settings")};
}

std::array<std::string, 4> channelColumnCaptions() {
    return {"#", tr("Key Offset"), tr("Velocity On/Fixed"), tr("Analog Input + Controller Type")};
}

ChannelRowNames channelRowNames(int midiChannel) {
    return {formatText(tr("Channel %1"), midiChannel),
            formatText(tr("Channel %1 key offset"), midiChannel),
            formatText(tr("Channel %1 velocity on"), midiChannel),
            formatText(tr("Channel %1 fixed velocity"), midiChannel),
            formatText(tr("Channel %1 analog input"), midiChannel),
            formatText(tr("Channel %1 controller type"), midiChannel)};
}

std::string withoutMnemonic(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

} // namespace zkt::editortext
