#include "link/midi_setup_texts.h"

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

} // namespace zkt::midisetuptext
