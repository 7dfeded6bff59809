#include "app/hardware_midi.h"

#include "link/rtmidi/rtmidi_port.h"

namespace zkt {

std::unique_ptr<MidiPort> openHardwareMidi() {
    try {
        return std::make_unique<RtMidiPort>(MidiApi::automatic, "ZKTConfig");
    } catch (const MidiError&) {
        // Neither the ALSA sequencer nor JACK is reachable; the simulated chain is still offered.
        return nullptr;
    }
}

} // namespace zkt
