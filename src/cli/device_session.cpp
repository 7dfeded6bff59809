#include "cli/device_session.h"

#include "cli/device_choice.h"
#include "cli/real_ports.h"
#include "i18n/tr.h"
#include "link/port_names.h"

#include <iostream>
#include <stdexcept>

namespace zkt::cli {

namespace {

SimulationOptions simulationFrom(const DeviceOptions& options) {
    SimulationOptions simulation;
    if (options.simulateFrom)
        simulation.configurationFile = *options.simulateFrom;
    else
        simulation.mcuCount = *options.simulatedManuals;
    simulation.interfaceDropsLongerThan = options.simulateDropLongerThan;
    return simulation;
}

} // namespace

DeviceSession::DeviceSession(const DeviceOptions& options) : m_options(options) {
    if (options.timeoutSeconds < 0)
        throw std::invalid_argument(tr("--timeout must not be negative"));
    if (options.timeoutSeconds > 0)
        m_timeout = std::chrono::duration_cast<Micros>(std::chrono::duration<double>(options.timeoutSeconds));

    if (options.simulatedManuals || options.simulateFrom) {
        m_simulated = true;
        auto chain = std::make_unique<SimulatedChain>(clock(), simulationFrom(options));
        if (options.simulateLostUpdate) {
            // Every update passes MCU 1's input first, so counting there counts them all.
            MessageFault lost{.kind = FaultKind::drop, .matches = isProgramUpdate, .input = 1};
            lost.occurrence = *options.simulateLostUpdate;
            chain->injectFault(std::move(lost));
        }
        if (options.realTime)
            m_driver = std::make_unique<SimulatedChainDriver>(*chain, m_steadyClock);
        else
            m_driver = std::make_unique<SimulatedChainDriver>(*chain, m_virtualClock);
        m_port = std::move(chain);
    } else {
        m_port = openRealPorts(options.api);
        m_driver = std::make_unique<PortDriver>(*m_port);
    }
    m_observed = std::make_unique<ObservedPort>(*m_port, clock());
    if (options.verbose)
        printTraffic(std::cerr);
}

DeviceSession::~DeviceSession() {
    // The driver and the observer refer to the port; they must go first.
    m_driver.reset();
    m_observed.reset();
    m_port.reset();
}

const Clock& DeviceSession::clock() const {
    if (m_simulated && !m_options.realTime)
        return m_virtualClock;
    return m_steadyClock;
}

int DeviceSession::chosenInput() const {
    return chooseDevice(m_port->inputNames(), m_options.input, "input");
}

int DeviceSession::chosenOutput() const {
    return chooseDevice(m_port->outputNames(), m_options.output, "output");
}

void DeviceSession::choosePorts(MidiSelection& selection) const {
    const int input = chosenInput();
    const int output = chosenOutput();
    // List positions: inputs after the "choose" entry, outputs after it and the default output.
    selection.midiInSelection = static_cast<std::int16_t>(input + 1);
    selection.midiOutSelection = static_cast<std::int16_t>(output + 2);
    // The devices chosen now are the ones opened later, wherever the lists have moved them.
    selection.inputName = portLabels(m_port->inputNames())[static_cast<std::size_t>(input)];
    selection.outputName = portLabels(m_port->outputNames())[static_cast<std::size_t>(output)];
}

void DeviceSession::openChosenPorts() {
    openChosenInput();
    m_observed->openOutput(chosenOutput());
}

void DeviceSession::openChosenInput() {
    m_observed->openInput(chosenInput());
}

void DeviceSession::printTraffic(std::ostream& out) {
    m_timeline.emplace(clock().now());
    m_observed->setObserver([this, &out](const TrafficRecord& record) {
        if (m_beforeTrafficLine)
            m_beforeTrafficLine();
        out << trafficLine(m_timeline->entryFor(record)) << std::endl;
    });
}

} // namespace zkt::cli
