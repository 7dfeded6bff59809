#include "app/device/hardware_midi.h"

#include "link/rtmidi/midi_systems.h"

namespace zkt {

std::unique_ptr<MidiPort> openHardwareMidi(std::function<void(const std::string&)> onTrouble) {
    try {
        return openMidiSystems(MidiApi::automatic, "ZKTConfig", onTrouble);
    } catch (const MidiError&) {
        // Neither the ALSA sequencer nor JACK is reachable; the simulated chain is still offered.
        return nullptr;
    }
}

} // namespace zkt
