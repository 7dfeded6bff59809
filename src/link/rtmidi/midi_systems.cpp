#include "link/rtmidi/midi_systems.h"

#include "link/port_union.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace zkt {

namespace {

constexpr const char* alsaSequencerDevice = "/dev/snd/seq";

std::shared_ptr<MidiPort> tryOpen(MidiApi api, const std::string& clientName,
                                  const RtMidiPort::ErrorHandler& onError, std::string& failures) {
    try {
        return std::make_shared<RtMidiPort>(api, clientName, onError);
    } catch (const MidiError& error) {
        failures += (failures.empty() ? "" : "; ") + std::string(error.what());
        return nullptr;
    }
}

} // namespace

bool jackServerRunning() {
    const char* server = std::getenv("JACK_DEFAULT_SERVER");
    const std::string name = server != nullptr && *server != '\0' ? server : "default";
    const std::filesystem::path socket = "/dev/shm/jack_" + name + "_" + std::to_string(::getuid()) + "_0";
    std::error_code ignored;
    return std::filesystem::is_socket(socket, ignored);
}

std::unique_ptr<MidiPort> openMidiSystems(MidiApi api, const std::string& clientName,
                                          const RtMidiPort::ErrorHandler& onError) {
    if (api != MidiApi::automatic)
        return std::make_unique<RtMidiPort>(api, clientName, onError);
    std::vector<PortUnion::Member> members;
    std::string failures;
    if (std::filesystem::exists(alsaSequencerDevice)) {
        if (auto alsa = tryOpen(MidiApi::alsa, clientName, onError, failures))
            members.push_back({std::move(alsa), {}});
    }
    if (jackServerRunning()) {
        if (auto jack = tryOpen(MidiApi::jack, clientName, onError, failures))
            members.push_back({std::move(jack), jackDeviceSuffix});
    }
    if (members.empty()) {
        throw MidiError("No MIDI system is available: " +
                        (failures.empty()
                             ? std::string("neither the ALSA sequencer nor a JACK server is running")
                             : failures));
    }
    if (!failures.empty() && onError)
        onError(failures);
    return std::make_unique<PortUnion>(std::move(members));
}

} // namespace zkt
