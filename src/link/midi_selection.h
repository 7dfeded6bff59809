#pragma once
// Which MIDI devices the user picked, and whether the ports have been asked to open. Owned by
// the transfer engine; the MIDI setup and the settings file read and write it.
//
// A device is remembered by its label (link/port_names.h) and, as the settings file has
// always kept it, by its position in the MIDI setup's list. The label decides which device
// is opened; the position only matters for a settings file written before labels were kept.

#include <cstdint>
#include <string>

namespace zkt {

struct MidiSelection {
    // 0 = nothing chosen, k >= 1 = input device k - 1.
    std::int16_t midiInSelection = 0;
    // 0 = nothing chosen, 1 = the system's default output, k >= 2 = output device k - 2.
    std::int16_t midiOutSelection = 0;
    // The selections as the settings file stores them.
    std::int16_t savedMidiIn = 0;
    std::int16_t savedMidiOut = 0;
    // Labels of the chosen devices; empty when only the position is known (and, for the
    // output, when the default output is chosen).
    std::string inputName;
    std::string outputName;
    // Set once an open request has been queued; cleared whenever the input is closed.
    bool portsOpen = false;
    bool midiSetupCancelled = false;

    bool midiConfigured() const { return midiInSelection != 0 && midiOutSelection != 0; }
};

// The output list position of the system's default output.
inline constexpr std::int16_t defaultOutputSelection = 1;

} // namespace zkt
