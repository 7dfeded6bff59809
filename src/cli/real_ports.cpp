#include "cli/real_ports.h"

namespace zkt::cli {

std::unique_ptr<MidiPort> openRealPorts(const std::string&) {
    throw MidiError("this build has no MIDI backend yet; use --simulate");
}

} // namespace zkt::cli
