#include "link/transmit_queue.h"

namespace zkt {

namespace {
// Error codes of the output that mean nothing went wrong for the user.
constexpr int errorCodeNone = 0;
constexpr int errorCodeHarmless = 8;
constexpr int unknownErrorCode = -1;
constexpr std::string_view outputErrorLogLine = "MIDI error opening MIDI tx stream.";
} // namespace

TransmitQueue::TransmitQueue(MidiPort& port, const Clock& clock, MidiSelection& selection,
                             LinkNotices& notices)
    : m_port(port), m_clock(clock), m_selection(selection), m_notices(notices) {}

void TransmitQueue::queueMessage(std::span<const std::uint8_t> message) {
    if (!m_selection.portsOpen)
        ensurePortsOpen();
    m_items.push_back(Item{false, Bytes(message.begin(), message.end())});
}

void TransmitQueue::ensurePortsOpen() {
    if (m_selection.portsOpen)
        return;
    const auto outputCount = static_cast<int>(m_port.outputNames().size());
    const auto inputCount = static_cast<int>(m_port.inputNames().size());
    // The output list has the default output in front of the devices, hence the + 1.
    if (m_selection.midiOutSelection > outputCount + 1)
        m_selection.midiOutSelection = outputCount > 0 ? defaultOutputSelection : 0;
    if (m_selection.midiInSelection > inputCount)
        m_selection.midiInSelection = inputCount > 0 ? 1 : 0;
    if (m_selection.midiConfigured()) {
        m_items.push_back(Item{true, {}});
        m_selection.portsOpen = true;
    }
}

bool TransmitQueue::pauseOver() const {
    return m_clock.now() >= m_pauseUntil;
}

TransmitQueue::PumpResult TransmitQueue::pumpQueue(bool paced) {
    if (m_items.empty())
        return PumpResult::empty;
    if (!pauseOver())
        return PumpResult::pausing;
    const Item item = std::move(m_items.front());
    m_items.pop_front();
    try {
        if (item.openPorts) {
            openInput();
            openOutput();
        } else {
            send(item.message);
        }
    } catch (const MidiError& error) {
        reportOutputError(unknownErrorCode, error.what());
    }
    if (item.openPorts)
        return PumpResult::openedPorts;
    if (paced)
        m_pauseUntil = m_clock.now() + writePause;
    return PumpResult::sent;
}

void TransmitQueue::send(const Bytes& message) {
    // Without an output device the message goes nowhere, as it always has; the user was
    // already asked to choose one.
    if (m_port.isOutputOpen())
        m_port.sendSysEx(message);
}

void TransmitQueue::openInput() {
    if (m_port.isInputOpen())
        m_port.closeInput();
    const auto inputCount = static_cast<int>(m_port.inputNames().size());
    if (m_selection.midiInSelection >= 1 && m_selection.midiInSelection <= inputCount)
        m_port.openInput(m_selection.midiInSelection - 1);
}

void TransmitQueue::openOutput() {
    if (m_port.isOutputOpen())
        m_port.closeOutput();
    if (m_selection.midiOutSelection <= 0)
        return;
    // The port layer has no "system default" device; the first output stands in for it.
    const int device =
        m_selection.midiOutSelection == defaultOutputSelection ? 0 : m_selection.midiOutSelection - 2;
    if (device < static_cast<int>(m_port.outputNames().size()))
        m_port.openOutput(device);
}

void TransmitQueue::closeInput() {
    try {
        if (m_port.isInputOpen())
            m_port.closeInput();
    } catch (const MidiError& error) {
        reportOutputError(unknownErrorCode, error.what());
    }
    m_selection.portsOpen = false;
}

void TransmitQueue::reportOutputError(int code, const std::string& text) {
    if (m_notices.log)
        m_notices.log(std::string(outputErrorLogLine));
    if (code != errorCodeNone && code != errorCodeHarmless && m_notices.userMessage)
        m_notices.userMessage(text);
}

} // namespace zkt
