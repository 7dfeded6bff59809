#pragma once
// The computer's MIDI devices as the program lists them. One system when asked for one;
// in automatic mode every system that works here: the ALSA sequencer, and JACK when a JACK
// server is running (its devices marked " (JACK)").

#include "link/midi_port.h"
#include "link/rtmidi/midi_api.h"
#include "link/rtmidi/rtmidi_port.h"

#include <memory>
#include <string>

namespace zkt {

inline constexpr const char* jackDeviceSuffix = " (JACK)";

// Throws MidiError when no system can be used. onError hears of trouble outside the program's
// own calls, possibly on a backend thread.
std::unique_ptr<MidiPort> openMidiSystems(MidiApi api, const std::string& clientName,
                                          const RtMidiPort::ErrorHandler& onError);

// Whether a JACK server seems to be running, judged by its socket, without asking JACK (which
// writes its complaints to stderr when there is none).
bool jackServerRunning();

} // namespace zkt
