#pragma once
// The browser's MIDI devices (Web MIDI) as the link uses them. The page owns the devices: it
// lists those connected, opens them and sends to them. This side keeps what the link must know
// at once, without waiting on the page: the names, which device is open, and the whole
// messages (SysEx and the console's channel messages) reassembled from whatever pieces the
// browser delivers.

#include "link/midi_port.h"
#include "link/midi_reassembler.h"
#include "model/bytes.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zkt::web {

enum class PortSide { input, output };

// What the page does with its devices. open and send return why they failed, empty when they
// did not; device indexes the names the page last gave.
struct PageMidi {
    std::function<std::string(PortSide, int device)> open;
    std::function<void(PortSide)> close;
    std::function<std::string(std::span<const std::uint8_t>)> send;
};

class WebMidiPort final : public MidiPort {
public:
    explicit WebMidiPort(PageMidi page) : m_page(std::move(page)) {}

    // The devices connected now, in the page's order. An open device that is no longer among
    // them stays open here: the transfer engine sees it gone from the names and says so.
    void setDevices(std::vector<std::string> inputs, std::vector<std::string> outputs);
    // Bytes from the open input as the browser delivered them: a message whole, in pieces, or
    // several at once. Ignored while the input is closed.
    void receive(std::span<const std::uint8_t> bytes);

    std::vector<std::string> inputNames() const override { return m_inputs; }
    std::vector<std::string> outputNames() const override { return m_outputs; }
    void openInput(int device) override;
    void openOutput(int device) override;
    void closeInput() override;
    void closeOutput() override;
    bool isInputOpen() const override { return m_inputOpen; }
    bool isOutputOpen() const override { return m_outputOpen; }
    // A message for an output no longer connected goes nowhere, as down an unplugged cable: the
    // engine finds the device gone from the names and says so, rather than a send that failed.
    void sendSysEx(std::span<const std::uint8_t> message) override;
    std::optional<std::vector<std::uint8_t>> takeReceived() override;
    void setReceiveNotifier(std::function<void()> notify) override { m_notify = std::move(notify); }

private:
    // The name of the device opened.
    std::string open(PortSide side, int device);

    PageMidi m_page;
    std::vector<std::string> m_inputs;
    std::vector<std::string> m_outputs;
    bool m_inputOpen = false;
    bool m_outputOpen = false;
    std::string m_openOutput;
    MidiReassembler m_reassembler;
    std::deque<Bytes> m_received;
    std::function<void()> m_notify;
};

} // namespace zkt::web
