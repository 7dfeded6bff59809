#include "link/transmit_queue.h"

#include "link/port_names.h"
#include "link/port_resolution.h"

#include <algorithm>

namespace zkt {

namespace {
constexpr std::string_view outputErrorLogLine = "MIDI error opening MIDI tx stream.";

bool listed(const std::vector<std::string>& names, const std::string& label) {
    return findPort(names, label).has_value();
}
} // namespace

TransmitQueue::TransmitQueue(MidiPort& port, const Clock& clock, MidiSelection& selection,
                             LinkNotices& notices)
    : m_port(port), m_clock(clock), m_selection(selection), m_notices(notices) {}

void TransmitQueue::queueMessage(std::span<const std::uint8_t> message, SendOptions options) {
    if (!m_selection.portsOpen)
        ensurePortsOpen();
    if (options.unit != 0 && !m_items.empty() && m_items.back().options.unit == options.unit)
        m_items.back().endsUnit = false;
    m_items.push_back(Item{false, Bytes(message.begin(), message.end()), options, options.unit != 0});
}

void TransmitQueue::ensurePortsOpen() {
    if (m_selection.portsOpen || !m_selection.midiConfigured())
        return;
    m_items.push_back(Item{true, {}, {}, false});
    m_selection.portsOpen = true;
}

bool TransmitQueue::pauseOver() const {
    return m_clock.now() >= m_pauseUntil;
}

bool TransmitQueue::pacedMessagesQueued() const {
    return std::any_of(m_items.begin(), m_items.end(), [](const Item& item) { return item.options.paced; });
}

TransmitQueue::PumpResult TransmitQueue::pumpQueue() {
    if (m_items.empty())
        return PumpResult::empty;
    if (!pauseOver())
        return PumpResult::pausing;
    const Item item = std::move(m_items.front());
    m_items.pop_front();
    if (item.openPorts)
        return openPorts() ? PumpResult::openedPorts : PumpResult::openFailed;
    // Without an output device the message goes nowhere, as it always has; the user was
    // already asked to choose one.
    try {
        if (m_port.isOutputOpen())
            m_port.sendSysEx(item.message);
    } catch (const MidiError& error) {
        logOutputError();
        m_sendFailure = error.what();
        return PumpResult::sendFailed;
    }
    if (item.options.paced)
        m_pauseUntil = m_clock.now() + writePause;
    m_startedUnit = item.endsUnit ? 0 : item.options.unit;
    m_lastSentUnit = item.options.unit;
    m_lastSentEndedUnit = item.endsUnit;
    return PumpResult::sent;
}

// Each direction on its own: a failed input must not leave the output unopened behind a flag
// that says both are open.
bool TransmitQueue::openPorts() {
    m_openReport = {};
    try {
        openInput();
        openOutput();
        return true;
    } catch (const MidiError& error) {
        m_openReport.failure = error.what();
        m_selection.portsOpen = false;
        return false;
    }
}

void TransmitQueue::openInput() {
    if (m_port.isInputOpen())
        m_port.closeInput();
    m_openInput.clear();
    const ResolvedPort input = resolveInput(m_selection, m_port.inputNames());
    m_port.openInput(input.device);
    m_openInput = input.label;
    // From now on this device is the one meant, wherever the lists put it.
    m_selection.inputName = input.label;
    if (!input.substituted.empty())
        m_openReport.substituted += input.substituted;
}

void TransmitQueue::openOutput() {
    if (m_port.isOutputOpen())
        m_port.closeOutput();
    m_openOutput.clear();
    if (m_selection.midiOutSelection <= 0)
        return;
    const std::vector<std::string> names = m_port.outputNames();
    const ResolvedPort output = resolveOutput(m_selection, names);
    m_port.openOutput(output.device);
    // The default output follows the first device; any other is kept by its label.
    m_openOutput = portLabels(names)[static_cast<std::size_t>(output.device)];
    if (m_selection.midiOutSelection != defaultOutputSelection)
        m_selection.outputName = output.label;
    if (!output.substituted.empty())
        m_openReport.substituted += (m_openReport.substituted.empty() ? "" : " ") + output.substituted;
}

void TransmitQueue::closeInput() {
    try {
        if (m_port.isInputOpen())
            m_port.closeInput();
    } catch (const MidiError&) {
        // A port that will not close is no longer ours to use either.
        logOutputError();
    }
    m_openInput.clear();
    m_selection.portsOpen = false;
}

int TransmitQueue::withdrawAllButStartedUnit() {
    const int unit = m_startedUnit;
    std::erase_if(m_items, [unit](const Item& item) { return unit == 0 || item.options.unit != unit; });
    return unit;
}

void TransmitQueue::clear() {
    m_items.clear();
    m_startedUnit = 0;
}

std::optional<std::string> TransmitQueue::missingDevice() const {
    if (!m_openOutput.empty() && m_port.isOutputOpen() && !listed(m_port.outputNames(), m_openOutput))
        return "MIDI output \"" + m_openOutput + "\"";
    if (!m_openInput.empty() && m_port.isInputOpen() && !listed(m_port.inputNames(), m_openInput))
        return "MIDI input \"" + m_openInput + "\"";
    return std::nullopt;
}

void TransmitQueue::logOutputError() const {
    if (m_notices.log)
        m_notices.log(std::string(outputErrorLogLine));
}

int TransmitQueue::unitLeavingNext() const {
    if (m_startedUnit != 0)
        return m_startedUnit;
    for (const Item& item : m_items) {
        if (item.options.unit != 0)
            return item.options.unit;
    }
    return 0;
}

} // namespace zkt
