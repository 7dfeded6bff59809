#include "link/midi_setup_texts.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

namespace zkt::midisetuptext {

std::string title() {
    return tr("MIDI I/O Setup");
}

std::string prompt() {
    return tr("Choose the MIDI input and output your ZKT is connected to.");
}

std::string inputCaption() {
    return tr("MIDI &In:");
}

std::string outputCaption() {
    return tr("MIDI &Out:");
}

std::string choosePlaceholder(bool input) {
    return input ? tr("[Choose a MIDI in device]") : tr("[Choose a MIDI out device]");
}

std::vector<std::string> missingDeviceLines(const std::string& missingInput, const std::string& missingOutput,
                                            bool listFollowsAtOnce) {
    std::vector<std::string> lines;
    if (!missingInput.empty())
        lines.push_back(formatText(tr("The MIDI input you chose before, \"%1\", is not connected."), missingInput));
    if (!missingOutput.empty())
        lines.push_back(formatText(tr("The MIDI output you chose before, \"%1\", is not connected."), missingOutput));
    if (!lines.empty())
        lines.push_back(listFollowsAtOnce
                            ? tr("Plug it in (the list follows as soon as it is there) or choose another device.")
                            : tr("Plug it in (the list follows within a second) or choose another device."));
    return lines;
}

std::string noDeviceNumberText(bool input, int device) {
    return formatText(input ? tr("There is no MIDI input number %1") : tr("There is no MIDI output number %1"),
                      device);
}

} // namespace zkt::midisetuptext
