#include "web/web_midi_port.h"

#include "i18n/tr.h"
#include "link/midi_setup_texts.h"

#include <algorithm>

namespace zkt::web {

void WebMidiPort::setDevices(std::vector<std::string> inputs, std::vector<std::string> outputs) {
    m_inputs = std::move(inputs);
    m_outputs = std::move(outputs);
}

void WebMidiPort::receive(std::span<const std::uint8_t> bytes) {
    if (!m_inputOpen)
        return;
    bool arrived = false;
    for (Bytes& message : m_reassembler.feed(bytes)) {
        m_received.push_back(std::move(message));
        arrived = true;
    }
    if (arrived && m_notify)
        m_notify();
}

std::string WebMidiPort::open(PortSide side, int device) {
    const std::vector<std::string>& names = side == PortSide::input ? m_inputs : m_outputs;
    if (device < 0 || device >= static_cast<int>(names.size()))
        throw MidiError(midisetuptext::noDeviceNumberText(side == PortSide::input, device));
    const std::string failure = m_page.open ? m_page.open(side, device) : tr("the page cannot open MIDI devices");
    if (!failure.empty())
        throw MidiError(failure);
    return names[static_cast<std::size_t>(device)];
}

void WebMidiPort::openInput(int device) {
    closeInput();
    open(PortSide::input, device);
    m_inputOpen = true;
}

void WebMidiPort::openOutput(int device) {
    closeOutput();
    m_openOutput = open(PortSide::output, device);
    m_outputOpen = true;
}

void WebMidiPort::closeInput() {
    if (!m_inputOpen)
        return;
    m_inputOpen = false;
    // A message cut off by the close must not join the first piece after the next open.
    m_reassembler.reset();
    if (m_page.close)
        m_page.close(PortSide::input);
}

void WebMidiPort::closeOutput() {
    if (!m_outputOpen)
        return;
    m_outputOpen = false;
    if (m_page.close)
        m_page.close(PortSide::output);
}

void WebMidiPort::sendSysEx(std::span<const std::uint8_t> message) {
    if (!m_outputOpen)
        throw MidiError("The MIDI output is not open");
    if (std::find(m_outputs.begin(), m_outputs.end(), m_openOutput) == m_outputs.end())
        return;
    const std::string failure = m_page.send ? m_page.send(message) : "the page cannot send MIDI";
    if (!failure.empty())
        throw MidiError(failure);
}

std::optional<std::vector<std::uint8_t>> WebMidiPort::takeReceived() {
    if (m_received.empty())
        return std::nullopt;
    Bytes message = std::move(m_received.front());
    m_received.pop_front();
    return message;
}

} // namespace zkt::web
