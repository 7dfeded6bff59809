#include "cli/real_ports.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "link/rtmidi/midi_api.h"
#include "link/rtmidi/midi_systems.h"

#include <iostream>

namespace zkt::cli {

std::unique_ptr<MidiPort> openRealPorts(const std::string& api) {
    const auto chosen = api.empty() ? std::optional<MidiApi>(MidiApi::automatic) : midiApiFromName(api);
    if (!chosen)
        throw MidiError(formatText(tr("unknown MIDI system \"%1\" (use alsa or jack)"), api));
    // Backend trouble outside our own calls is worth seeing but does not stop a transfer.
    return openMidiSystems(*chosen, "zktcli", [](const std::string& text) {
        std::cerr << formatText(tr("zktcli: MIDI: %1"), text) << '\n';
    });
}

} // namespace zkt::cli
