#pragma once
// The ports the window offers: the computer's real MIDI devices, followed by an in-process
// simulated encoder chain, so that the whole program can be tried without the hardware.
// Input and output are routed independently by device number.

#include "link/clock.h"
#include "link/midi_port.h"
#include "sim/simulated_chain.h"

#include <memory>

namespace zkt {

class DevicePort final : public MidiPort {
public:
    static constexpr int defaultSimulatedManuals = 3;

    // hardware may be null (no MIDI system available); the simulation runs on clock.
    DevicePort(std::unique_ptr<MidiPort> hardware, const Clock& clock,
               int simulatedManuals = defaultSimulatedManuals);

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

    // Lets the simulated chain catch up with the clock; cheap when it is idle.
    void advanceSimulation() { m_simulation.advance(); }
    bool simulationBusy() const { return m_simulation.nextEventTime().has_value(); }
    SimulatedChain& simulation() { return m_simulation; }

private:
    int hardwareInputCount() const;
    int hardwareOutputCount() const;

    std::unique_ptr<MidiPort> m_hardware;
    SimulatedChain m_simulation;
    MidiPort* m_input = nullptr;  // the backend the input was opened on
    MidiPort* m_output = nullptr; // the backend the output was opened on
};

} // namespace zkt
