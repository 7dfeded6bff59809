#pragma once
// The ports the window offers: the computer's real MIDI devices, followed by an in-process
// simulated encoder chain, so that the whole program can be tried without the hardware.
// Input and output are routed independently by device number.

#include "link/clock.h"
#include "link/midi_port.h"
#include "link/port_union.h"
#include "sim/simulated_chain.h"

#include <memory>

namespace zkt {

class DevicePort final : public MidiPort {
public:
    static constexpr int defaultSimulatedManuals = 3;

    // hardware may be null (no MIDI system available); the simulation runs on clock.
    DevicePort(std::unique_ptr<MidiPort> hardware, const Clock& clock,
               int simulatedManuals = defaultSimulatedManuals);

    std::vector<std::string> inputNames() const override { return m_ports.inputNames(); }
    std::vector<std::string> outputNames() const override { return m_ports.outputNames(); }
    void openInput(int device) override { m_ports.openInput(device); }
    void openOutput(int device) override { m_ports.openOutput(device); }
    void closeInput() override { m_ports.closeInput(); }
    void closeOutput() override { m_ports.closeOutput(); }
    bool isInputOpen() const override { return m_ports.isInputOpen(); }
    bool isOutputOpen() const override { return m_ports.isOutputOpen(); }
    void sendSysEx(std::span<const std::uint8_t> message) override { m_ports.sendSysEx(message); }
    std::optional<std::vector<std::uint8_t>> takeReceived() override { return m_ports.takeReceived(); }
    void setReceiveNotifier(std::function<void()> notify) override {
        m_ports.setReceiveNotifier(std::move(notify));
    }

    // Lets the simulated chain catch up with the clock; cheap when it is idle.
    void advanceSimulation() { m_simulation->advance(); }
    bool simulationBusy() const { return m_simulation->nextEventTime().has_value(); }
    SimulatedChain& simulation() { return *m_simulation; }
    // Whether the simulated chain is the input opened, so that a console played on it is heard.
    bool simulationHeard() const { return m_simulation->isInputOpen(); }
    // Plays its console (sim/console_action.h); a manual the chain lacks plays nothing.
    void playOnSimulation(const ConsoleAction& action);

private:
    std::shared_ptr<SimulatedChain> m_simulation;
    PortUnion m_ports;
};

} // namespace zkt
