#pragma once
// Which MIDI system the RtMidi backend talks to. "auto" prefers the ALSA sequencer and falls
// back to JACK where there is none (containers, CI machines).

#include <optional>
#include <string>
#include <string_view>

namespace zkt {

enum class MidiApi { automatic, alsa, jack };

// "auto", "alsa" or "jack" (the spelling of --api); anything else gives nullopt.
std::optional<MidiApi> midiApiFromName(std::string_view name);
std::string midiApiName(MidiApi api);

} // namespace zkt
