#pragma once
// Several port backends offered as one: their devices are listed one backend after the other,
// each backend's names with a suffix of its own, and input and output are routed to their
// backends independently. The desktop program offers the real MIDI systems and the simulated chain
// this way; automatic mode offers every MIDI system that works.

#include "link/midi_port.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zkt {

class PortUnion final : public MidiPort {
public:
    struct Member {
        std::shared_ptr<MidiPort> port;
        std::string suffix; // appended to each of its names, e.g. " (JACK)"
    };

    explicit PortUnion(std::vector<Member> members);

    std::vector<std::string> inputNames() const override;
    std::vector<std::string> outputNames() const override;
    void openInput(int device) override;
    void openOutput(int device) override;
    void closeInput() override;
    void closeOutput() override;
    bool isInputOpen() const override;
    bool isOutputOpen() const override;
    void sendSysEx(std::span<const std::uint8_t> message) override;
    std::optional<std::vector<std::uint8_t>> takeReceived() override;
    void setReceiveNotifier(std::function<void()> notify) override;

private:
    // The backend that lists the device, and the device's number there.
    std::pair<MidiPort*, int> locate(int device, bool input) const;

    std::vector<Member> m_members;
    MidiPort* m_input = nullptr;
    MidiPort* m_output = nullptr;
};

} // namespace zkt
