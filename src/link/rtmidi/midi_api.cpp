#include "link/rtmidi/midi_api.h"

namespace zkt {

std::optional<MidiApi> midiApiFromName(std::string_view name) {
    if (name == "auto") {
        return MidiApi::automatic;
    }
    if (name == "alsa") {
        return MidiApi::alsa;
    }
    if (name == "jack") {
        return MidiApi::jack;
    }
    return std::nullopt;
}

std::string midiApiName(MidiApi api) {
    switch (api) {
    case MidiApi::automatic:
        return "auto";
    case MidiApi::alsa:
        return "alsa";
    case MidiApi::jack:
        return "jack";
    }
    return "auto";
}

} // namespace zkt
