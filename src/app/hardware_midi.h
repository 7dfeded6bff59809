#pragma once
// The computer's real MIDI devices, or null when no MIDI system can be reached.

#include "link/midi_port.h"

#include <memory>

namespace zkt {

std::unique_ptr<MidiPort> openHardwareMidi();

} // namespace zkt
