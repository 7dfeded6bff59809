#include "app/device_port.h"

namespace zkt {

namespace {

SimulationOptions simulationOptions(int manuals) {
    SimulationOptions options;
    options.mcuCount = manuals;
    return options;
}

} // namespace

DevicePort::DevicePort(std::unique_ptr<MidiPort> hardware, const Clock& clock, int simulatedManuals)
    : m_hardware(std::move(hardware)), m_simulation(clock, simulationOptions(simulatedManuals)) {}

int DevicePort::hardwareInputCount() const {
    return m_hardware ? static_cast<int>(m_hardware->inputNames().size()) : 0;
}

int DevicePort::hardwareOutputCount() const {
    return m_hardware ? static_cast<int>(m_hardware->outputNames().size()) : 0;
}

std::vector<std::string> DevicePort::inputNames() const {
    std::vector<std::string> names = m_hardware ? m_hardware->inputNames() : std::vector<std::string>{};
    names.push_back(m_simulation.portName());
    return names;
}

std::vector<std::string> DevicePort::outputNames() const {
    std::vector<std::string> names = m_hardware ? m_hardware->outputNames() : std::vector<std::string>{};
    names.push_back(m_simulation.portName());
    return names;
}

void DevicePort::openInput(int device) {
    const int hardwareCount = hardwareInputCount();
    if (device < 0 || device > hardwareCount)
        throw MidiError("There is no MIDI input number " + std::to_string(device));
    closeInput();
    m_input = device < hardwareCount ? m_hardware.get() : static_cast<MidiPort*>(&m_simulation);
    m_input->openInput(device < hardwareCount ? device : 0);
}

void DevicePort::openOutput(int device) {
    const int hardwareCount = hardwareOutputCount();
    if (device < 0 || device > hardwareCount)
        throw MidiError("There is no MIDI output number " + std::to_string(device));
    closeOutput();
    m_output = device < hardwareCount ? m_hardware.get() : static_cast<MidiPort*>(&m_simulation);
    m_output->openOutput(device < hardwareCount ? device : 0);
}

void DevicePort::closeInput() {
    if (m_input != nullptr)
        m_input->closeInput();
    m_input = nullptr;
}

void DevicePort::closeOutput() {
    if (m_output != nullptr)
        m_output->closeOutput();
    m_output = nullptr;
}

bool DevicePort::isInputOpen() const {
    return m_input != nullptr && m_input->isInputOpen();
}

bool DevicePort::isOutputOpen() const {
    return m_output != nullptr && m_output->isOutputOpen();
}

void DevicePort::sendSysEx(std::span<const std::uint8_t> message) {
    if (m_output == nullptr)
        throw MidiError("The MIDI output is not open");
    m_output->sendSysEx(message);
}

std::optional<std::vector<std::uint8_t>> DevicePort::takeReceived() {
    // Both backends are drained: a message that arrived just before the input moved to the
    // other backend is still the device's answer.
    if (auto message = m_simulation.takeReceived())
        return message;
    return m_hardware ? m_hardware->takeReceived() : std::nullopt;
}

void DevicePort::setReceiveNotifier(std::function<void()> notify) {
    if (m_hardware)
        m_hardware->setReceiveNotifier(notify);
    m_simulation.setReceiveNotifier(std::move(notify));
}

} // namespace zkt
