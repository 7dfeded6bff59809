#include "app/device/device_port.h"

namespace zkt {

namespace {

SimulationOptions simulationOptions(int manuals) {
    SimulationOptions options;
    options.mcuCount = manuals;
    return options;
}

std::vector<PortUnion::Member> membersOf(std::unique_ptr<MidiPort> hardware,
                                         std::shared_ptr<SimulatedChain> simulation) {
    std::vector<PortUnion::Member> members;
    if (hardware)
        members.push_back({std::shared_ptr<MidiPort>(std::move(hardware)), {}});
    members.push_back({std::move(simulation), {}});
    return members;
}

} // namespace

void DevicePort::playOnSimulation(const ConsoleAction& action) {
    if (action.manual >= 1 && action.manual <= m_simulation->mcuCount())
        m_simulation->play(action);
}

DevicePort::DevicePort(std::unique_ptr<MidiPort> hardware, const Clock& clock, int simulatedManuals)
    : m_simulation(std::make_shared<SimulatedChain>(clock, simulationOptions(simulatedManuals))),
      m_ports(membersOf(std::move(hardware), m_simulation)) {}

} // namespace zkt
