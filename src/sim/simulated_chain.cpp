#include "sim/simulated_chain.h"

#include "link/channel_message.h"
#include "link/protocol.h"
#include "model/hex_text.h"
#include "sim/console_play.h"
#include "sim/simulated_chain_images.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zkt {

namespace {

std::string describe(std::span<const std::uint8_t> message) {
    constexpr std::size_t shownBytes = 12;
    if (message.size() <= shownBytes) {
        return bytesToHex(message);
    }
    return bytesToHex(message.first(shownBytes)) + "... (" + std::to_string(message.size()) + " bytes)";
}

void checkMcuCount(int count) {
    if (count < 0 || count > maxSimulatedMcus) {
        throw std::invalid_argument("simulated chain: " + std::to_string(count) +
                                    " MCUs requested, the chain holds 0 to " +
                                    std::to_string(maxSimulatedMcus));
    }
}

std::vector<Bytes> chooseImages(const SimulationOptions& options) {
    if (options.configurationFile) {
        return imagesFromConfigurationFile(*options.configurationFile);
    }
    checkMcuCount(options.mcuCount);
    if (options.images.empty()) {
        return realisticImages(options.mcuCount, options.identity.hardwareType);
    }
    if (static_cast<int>(options.images.size()) != options.mcuCount) {
        throw std::invalid_argument("simulated chain: " + std::to_string(options.images.size()) +
                                    " images given for " + std::to_string(options.mcuCount) + " MCUs");
    }
    return options.images;
}

} // namespace

bool SimulatedChain::LaterFirst::operator()(const WireEvent& a, const WireEvent& b) const {
    if (a.due != b.due) {
        return a.due > b.due;
    }
    return a.sequence > b.sequence;
}

SimulatedChain::SimulatedChain(const Clock& clock, SimulationOptions options)
    : m_clock(clock), m_byteTime(options.byteTime) {
    const std::vector<Bytes> images = chooseImages(options);
    checkMcuCount(static_cast<int>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        auto mcu = std::make_unique<SimulatedMcu>(static_cast<int>(i) + 1, images[i], options.identity,
                                                  options.timings);
        mcu->setResponseMode(options.responseMode);
        mcu->setResponseHeader(options.responseHeader);
        m_mcus.push_back(std::move(mcu));
    }
    m_hopFreeAt.assign(m_mcus.size() + 1, Micros{0});
    if (const auto longest = options.interfaceDropsLongerThan) {
        // The interface sends to MCU 1 (or, without MCUs, straight back) and receives from the last.
        injectFault(dropLongerThan(*longest, computerInput));
        if (!m_mcus.empty())
            injectFault(dropLongerThan(*longest, 1));
    }
}

SimulatedChain::~SimulatedChain() = default;

std::string SimulatedChain::portName() const {
    return "ZKT simulator (" + std::to_string(mcuCount()) + " manuals)";
}

std::vector<std::string> SimulatedChain::inputNames() const {
    return m_unplugged ? std::vector<std::string>{} : std::vector<std::string>{portName()};
}
std::vector<std::string> SimulatedChain::outputNames() const {
    return inputNames();
}

void SimulatedChain::unplug() {
    m_unplugged = true;
    note("unplugged");
}

void SimulatedChain::openInput(int device) {
    if (device != 0) {
        throw MidiError("MIDI input " + std::to_string(device) +
                        " does not exist (the simulator has input 0)");
    }
    m_inputOpen = true;
}

void SimulatedChain::openOutput(int device) {
    if (device != 0) {
        throw MidiError("MIDI output " + std::to_string(device) +
                        " does not exist (the simulator has output 0)");
    }
    m_outputOpen = true;
}

void SimulatedChain::closeInput() {
    m_inputOpen = false;
}
void SimulatedChain::closeOutput() {
    m_outputOpen = false;
}

void SimulatedChain::sendSysEx(std::span<const std::uint8_t> message) {
    if (!m_outputOpen) {
        throw MidiError("cannot send to " + portName() + ": the output is not open");
    }
    if (message.size() < 2 || message.front() != protocol::sysexStart ||
        message.back() != protocol::sysexEnd) {
        throw MidiError("cannot send to " + portName() +
                        ": not one SysEx message (F0 .. F7): " + describe(message));
    }
    sendFromComputer(message);
}

void SimulatedChain::sendChannelMessage(std::span<const std::uint8_t> message) {
    if (!m_outputOpen) {
        throw MidiError("cannot send to " + portName() + ": the output is not open");
    }
    if (!channelMessageOf(message)) {
        throw MidiError("cannot send to " + portName() + ": not one channel message: " + describe(message));
    }
    sendFromComputer(message);
}

void SimulatedChain::sendFromComputer(std::span<const std::uint8_t> message) {
    ++m_counters.messagesFromComputer;
    if (m_unplugged) {
        // As over JACK: the send succeeds, and the message goes nowhere.
        ++m_counters.lostUnplugged;
        note("lost, unplugged: " + describe(message));
        return;
    }
    note("from computer: " + describe(message));
    transmit(0, Bytes(message.begin(), message.end()), m_clock.now());
}

void SimulatedChain::play(const ConsoleAction& action) {
    const SimulatedMcu& mcu = mcuAt(action.manual);
    for (Bytes& message : consoleMessagesFor(mcu.image(), action)) {
        note("played at manual " + std::to_string(action.manual) + ": " + describe(message));
        transmit(action.manual, std::move(message), m_clock.now());
    }
}

std::optional<std::vector<std::uint8_t>> SimulatedChain::takeReceived() {
    if (m_received.empty()) {
        return std::nullopt;
    }
    Bytes message = std::move(m_received.front());
    m_received.pop_front();
    return message;
}

void SimulatedChain::setReceiveNotifier(std::function<void()> notify) {
    m_notify = std::move(notify);
}

void SimulatedChain::advance() {
    const Micros now = m_clock.now();
    while (!m_events.empty() && m_events.top().due <= now) {
        WireEvent event = m_events.top();
        m_events.pop();
        if (event.destination == mcuCount()) {
            arriveAtComputer(std::move(event));
            continue;
        }
        arriveAtMcu(std::move(event));
    }
}

void SimulatedChain::arriveAtMcu(WireEvent event) {
    SimulatedMcu& mcu = *m_mcus[static_cast<std::size_t>(event.destination)];
    if (!applyFaults(event, mcu.manual())) {
        return;
    }
    for (int copy = 0; copy < event.copies; ++copy) {
        // The MCU's own place is also the number of the hop it sends on.
        for (Bytes& out : mcu.receive(event.message, event.due)) {
            transmit(mcu.manual(), std::move(out), event.due);
        }
    }
}

std::optional<Micros> SimulatedChain::nextEventTime() const {
    if (m_events.empty()) {
        return std::nullopt;
    }
    return m_events.top().due;
}

void SimulatedChain::transmit(int fromHop, Bytes message, Micros at) {
    Micros& freeAt = m_hopFreeAt[static_cast<std::size_t>(fromHop)];
    const Micros start = std::max(at, freeAt);
    const Micros arrival = start + m_byteTime * static_cast<Micros::rep>(message.size());
    freeAt = arrival;
    schedule(arrival, fromHop, std::move(message), 1, false);
}

void SimulatedChain::schedule(Micros due, int destination, Bytes message, int copies, bool faultsChecked) {
    m_events.push(WireEvent{due, m_nextSequence++, destination, std::move(message), copies, faultsChecked});
}

bool SimulatedChain::applyFaults(WireEvent& event, int input) {
    if (event.faultsChecked) {
        return true;
    }
    const Bytes original = event.message;
    Micros extraDelay{0};
    bool dropped = false;
    for (ArmedFault& armed : m_faults) {
        if (armed.fault.input != input || (armed.fault.matches && !armed.fault.matches(original))) {
            continue;
        }
        ++armed.seen;
        const bool fires = armed.seen == armed.fault.occurrence ||
                           (armed.fault.repeat && armed.seen > armed.fault.occurrence);
        if (!fires) {
            continue;
        }
        ++m_counters.faultsApplied;
        switch (armed.fault.kind) {
        case FaultKind::drop:
            dropped = true;
            break;
        case FaultKind::duplicate:
            ++event.copies;
            break;
        case FaultKind::delay:
            extraDelay += armed.fault.delay;
            break;
        case FaultKind::corruptData:
        case FaultKind::wrongLength:
        case FaultKind::tagCount:
            event.message = applyFaultToBytes(armed.fault, event.message);
            break;
        }
    }
    const std::string where = input == computerInput ? "the computer" : "MCU " + std::to_string(input);
    if (dropped) {
        note("dropped on the way to " + where + " (fault): " + describe(original));
        return false;
    }
    if (extraDelay > Micros{0}) {
        schedule(event.due + extraDelay, event.destination, std::move(event.message), event.copies, true);
        return false;
    }
    return true;
}

void SimulatedChain::arriveAtComputer(WireEvent event) {
    if (!applyFaults(event, computerInput)) {
        return;
    }
    for (int copy = 0; copy < event.copies; ++copy) {
        deliver(event.message);
    }
}

void SimulatedChain::deliver(Bytes message) {
    if (!m_inputOpen || m_unplugged) {
        ++m_counters.lostAtClosedInput;
        note("lost, computer input closed: " + describe(message));
        return;
    }
    ++m_counters.messagesToComputer;
    note("to computer: " + describe(message));
    m_received.push_back(std::move(message));
    if (m_notify) {
        m_notify();
    }
}

void SimulatedChain::injectFault(MessageFault fault) {
    if (fault.input != computerInput) {
        mcuAt(fault.input); // throws for an MCU the chain lacks
    }
    m_faults.push_back(ArmedFault{std::move(fault), 0});
}

SimulatedMcu& SimulatedChain::mcuAt(int manual) {
    return const_cast<SimulatedMcu&>(std::as_const(*this).mcuAt(manual));
}

const SimulatedMcu& SimulatedChain::mcuAt(int manual) const {
    if (manual < 1 || manual > mcuCount()) {
        throw std::out_of_range("simulated chain: no MCU for manual " + std::to_string(manual) +
                                " (chain of " + std::to_string(mcuCount()) + ")");
    }
    return *m_mcus[static_cast<std::size_t>(manual - 1)];
}

void SimulatedChain::setIgnoresProgramRequests(int manual, bool ignores) {
    mcuAt(manual).setIgnoresProgramRequests(ignores);
}

std::span<const std::uint8_t> SimulatedChain::image(int manual) const {
    return mcuAt(manual).image();
}
const McuIdentity& SimulatedChain::identity(int manual) const {
    return mcuAt(manual).identity();
}
void SimulatedChain::setIdentity(int manual, const McuIdentity& identity) {
    mcuAt(manual).setIdentity(identity);
}

SimulationCounters SimulatedChain::counters() const {
    SimulationCounters total = m_counters;
    for (const auto& mcu : m_mcus) {
        const McuCounters& c = mcu->counters();
        total.updatesStored += c.updatesStored;
        total.updatesLostWhileBusy += c.updatesLostWhileBusy;
        total.requestsIgnoredWhileRebooting += c.requestsIgnoredWhileRebooting;
        total.malformedIgnored += c.malformedIgnored;
    }
    return total;
}

void SimulatedChain::setTrace(std::function<void(const std::string&)> trace) {
    m_trace = std::move(trace);
    for (auto& mcu : m_mcus) {
        mcu->setTrace(m_trace);
    }
}

void SimulatedChain::note(const std::string& line) const {
    if (m_trace) {
        m_trace(line);
    }
}

} // namespace zkt
