#pragma once
// The page's MIDI setup: the devices under "MIDI In:" and "MIDI Out:" by their labels, the
// choice kept by label, and a remembered device that is not connected said plainly. The browser
// has no default output of its own, so the page lists devices only.

#include "link/midi_port.h"
#include "link/midi_selection.h"

#include <nlohmann/json.hpp>

#include <string>

namespace zkt::web {

// {inputs: [{name, label}], outputs: [{name, label}], input: label or "", output: label or "",
//  missing: [lines about remembered devices not connected]}. A device is shown by the name the
// browser gives it (with " (2)" for a second of the same name) and chosen by its label.
nlohmann::json midiSetupView(const MidiSelection& selection, const MidiPort& port);

// The devices chosen by label ("" for none); the ports open afresh on them with the next message.
void chooseDevices(MidiSelection& selection, const MidiPort& port, const std::string& input,
                   const std::string& output);

} // namespace zkt::web
