#pragma once
// Turns the selection into the device to open, once, right before it is opened: by label
// when the selection has one, else by its list position as older settings files keep it.
// A remembered device that is not there is never replaced by another without saying so.

#include "link/midi_port.h"
#include "link/midi_selection.h"

#include <string>
#include <vector>

namespace zkt {

struct ResolvedPort {
    int device = -1;         // index into the port's current list
    std::string label;       // what the user knows it as
    std::string substituted; // set when the remembered device was missing and this one stands in
};

// Throw MidiError, saying which device is missing and which are there, when the selection
// names a device the list does not have. A selection by position that no longer fits the
// list falls back to the first device (as the program always has) and says so.
ResolvedPort resolveInput(const MidiSelection& selection, const std::vector<std::string>& names);
ResolvedPort resolveOutput(const MidiSelection& selection, const std::vector<std::string>& names);

// What the MIDI setup's default output entry stands for.
std::string defaultOutputLabel(const std::vector<std::string>& names);

} // namespace zkt
