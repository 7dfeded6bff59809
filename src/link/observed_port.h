#pragma once
// A port that reports every message sent through it and every message taken from it, with
// the time, to an observer (the MIDI monitor, zktcli -v), and otherwise does what the port
// it wraps does. Nothing is reported while no observer is set.

#include "link/clock.h"
#include "link/midi_port.h"
#include "link/traffic.h"

namespace zkt {

class ObservedPort final : public MidiPort {
public:
    ObservedPort(MidiPort& inner, const Clock& clock) : m_inner(inner), m_clock(clock) {}

    void setObserver(TrafficObserver observer) { m_observer = std::move(observer); }

    std::vector<std::string> inputNames() const override { return m_inner.inputNames(); }
    std::vector<std::string> outputNames() const override { return m_inner.outputNames(); }
    void openInput(int device) override { m_inner.openInput(device); }
    void openOutput(int device) override { m_inner.openOutput(device); }
    void closeInput() override { m_inner.closeInput(); }
    void closeOutput() override { m_inner.closeOutput(); }
    bool isInputOpen() const override { return m_inner.isInputOpen(); }
    bool isOutputOpen() const override { return m_inner.isOutputOpen(); }
    // Reported once the port has taken it: a send that throws put nothing on the wire.
    void sendSysEx(std::span<const std::uint8_t> message) override;
    std::optional<std::vector<std::uint8_t>> takeReceived() override;
    void setReceiveNotifier(std::function<void()> notify) override {
        m_inner.setReceiveNotifier(std::move(notify));
    }

private:
    void report(Micros at, TrafficDirection direction, std::span<const std::uint8_t> message) const;

    MidiPort& m_inner;
    const Clock& m_clock;
    TrafficObserver m_observer;
};

} // namespace zkt
