#include "cli/real_ports.h"

#include "link/rtmidi/midi_api.h"
#include "link/rtmidi/midi_systems.h"

#include <iostream>

namespace zkt::cli {

std::unique_ptr<MidiPort> openRealPorts(const std::string& api) {
    const auto chosen = api.empty() ? std::optional<MidiApi>(MidiApi::automatic) : midiApiFromName(api);
    if (!chosen)
        throw MidiError("unknown MIDI system \"" + api + "\" (use alsa or jack)");
    // Backend trouble outside our own calls is worth seeing but does not stop a transfer.
    return openMidiSystems(*chosen, "zktcli",
                           [](const std::string& text) { std::cerr << "zktcli: MIDI: " << text << '\n'; });
}

} // namespace zkt::cli
