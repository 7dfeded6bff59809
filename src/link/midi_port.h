#pragma once
// One MIDI input and one MIDI output as the program uses them. Implementations: the RtMidi
// backend (ALSA sequencer or JACK), the in-process simulated encoder chain, and test fakes.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace zkt {

class MidiError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class MidiPort {
public:
    virtual ~MidiPort() = default;

    virtual std::vector<std::string> inputNames() const = 0;
    virtual std::vector<std::string> outputNames() const = 0;

    // Device numbers index the name lists. Failures throw MidiError with a readable text.
    virtual void openInput(int device) = 0;
    virtual void openOutput(int device) = 0;
    virtual void closeInput() = 0;
    virtual void closeOutput() = 0;
    virtual bool isInputOpen() const = 0;
    virtual bool isOutputOpen() const = 0;

    // One whole message, F0 .. F7.
    virtual void sendSysEx(std::span<const std::uint8_t> message) = 0;

    // Whole received messages, oldest first: SysEx (F0 .. F7) and channel messages, each with
    // its status byte; call on the owning thread. The transfers heed only the SysEx.
    virtual std::optional<std::vector<std::uint8_t>> takeReceived() = 0;

    // Called, possibly from a backend thread, whenever a message has become available;
    // the owner reacts by draining takeReceived() on its own thread.
    virtual void setReceiveNotifier(std::function<void()> notify) = 0;
};

} // namespace zkt
