#pragma once
// The computer's real MIDI ports through RtMidi: the ALSA sequencer or JACK.
//
// RtMidi delivers input on its own thread. Bytes go through a MidiReassembler into a locked
// queue there, SysEx and channel messages alike (RtMidi's own filter is set to pass SysEx and
// to drop timing and active sensing); the owner drains it with takeReceived() on its own thread
// after the notifier has told it that something is waiting.

#include "link/midi_port.h"
#include "link/rtmidi/midi_api.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zkt {

class RtMidiPort final : public MidiPort {
public:
    // Reports what goes wrong outside a call that could throw (for the program log); may be
    // called on RtMidi's input thread.
    using ErrorHandler = std::function<void(const std::string&)>;

    // clientName gets the process id appended: two programs with one JACK client name would
    // hear each other's traffic. Throws MidiError when the chosen API cannot be used.
    RtMidiPort(MidiApi api, const std::string& clientName, ErrorHandler onError = {});
    ~RtMidiPort() override;
    RtMidiPort(const RtMidiPort&) = delete;
    RtMidiPort& operator=(const RtMidiPort&) = delete;

    std::vector<std::string> inputNames() const override;
    std::vector<std::string> outputNames() const override;
    void openInput(int device) override;
    void openOutput(int device) override;
    void closeInput() override;
    void closeOutput() override;
    bool isInputOpen() const override;
    bool isOutputOpen() const override;
    void sendSysEx(std::span<const std::uint8_t> message) override;
    // One channel message (channel_message.h), as a simulated console plays it; throws
    // MidiError as sendSysEx does.
    void sendChannelMessage(std::span<const std::uint8_t> message);
    std::optional<std::vector<std::uint8_t>> takeReceived() override;
    void setReceiveNotifier(std::function<void()> notify) override;

    // Ports that other programs connect to, as zktsim offers them.
    void openVirtualInput(const std::string& portName);
    void openVirtualOutput(const std::string& portName);

    // The API actually in use ("alsa" or "jack"), after "auto" has chosen.
    MidiApi api() const;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace zkt
