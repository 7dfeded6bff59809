#pragma once
// The computer's real MIDI devices, or null when no MIDI system can be reached.

#include "link/midi_port.h"

#include <functional>
#include <memory>
#include <string>

namespace zkt {

// onTrouble hears of MIDI errors that arise outside the program's own calls, possibly on a
// backend thread.
std::unique_ptr<MidiPort> openHardwareMidi(std::function<void(const std::string&)> onTrouble);

} // namespace zkt
