#pragma once
// The computer's real MIDI ports for zktcli.

#include "link/midi_port.h"

#include <memory>
#include <string>

namespace zkt::cli {

// api: "alsa", "jack", or empty for whichever works. Throws MidiError when none does.
std::unique_ptr<MidiPort> openRealPorts(const std::string& api);

} // namespace zkt::cli
