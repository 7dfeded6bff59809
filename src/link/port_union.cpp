#include "link/port_union.h"

#include "i18n/tr.h"
#include "link/midi_setup_texts.h"

namespace zkt {

namespace {

std::vector<std::string> namesOf(const MidiPort& port, bool input) {
    return input ? port.inputNames() : port.outputNames();
}

} // namespace

PortUnion::PortUnion(std::vector<Member> members) : m_members(std::move(members)) {}

std::vector<std::string> PortUnion::inputNames() const {
    std::vector<std::string> names;
    for (const Member& member : m_members) {
        for (const std::string& name : member.port->inputNames())
            names.push_back(name + member.suffix);
    }
    return names;
}

std::vector<std::string> PortUnion::outputNames() const {
    std::vector<std::string> names;
    for (const Member& member : m_members) {
        for (const std::string& name : member.port->outputNames())
            names.push_back(name + member.suffix);
    }
    return names;
}

std::pair<MidiPort*, int> PortUnion::locate(int device, bool input) const {
    int first = 0;
    for (const Member& member : m_members) {
        const int count = static_cast<int>(namesOf(*member.port, input).size());
        if (device >= first && device < first + count)
            return {member.port.get(), device - first};
        first += count;
    }
    throw MidiError(midisetuptext::noDeviceNumberText(input, device));
}

void PortUnion::openInput(int device) {
    const auto [port, number] = locate(device, true);
    closeInput();
    port->openInput(number);
    m_input = port;
}

void PortUnion::openOutput(int device) {
    const auto [port, number] = locate(device, false);
    closeOutput();
    port->openOutput(number);
    m_output = port;
}

void PortUnion::closeInput() {
    if (m_input != nullptr)
        m_input->closeInput();
    m_input = nullptr;
}

void PortUnion::closeOutput() {
    if (m_output != nullptr)
        m_output->closeOutput();
    m_output = nullptr;
}

bool PortUnion::isInputOpen() const {
    return m_input != nullptr && m_input->isInputOpen();
}

bool PortUnion::isOutputOpen() const {
    return m_output != nullptr && m_output->isOutputOpen();
}

void PortUnion::sendSysEx(std::span<const std::uint8_t> message) {
    if (m_output == nullptr)
        throw MidiError(tr("The MIDI output is not open"));
    m_output->sendSysEx(message);
}

std::optional<std::vector<std::uint8_t>> PortUnion::takeReceived() {
    // Every backend is drained: a message that arrived just before the input moved to another
    // backend is still the device's answer.
    for (const Member& member : m_members) {
        if (auto message = member.port->takeReceived())
            return message;
    }
    return std::nullopt;
}

void PortUnion::setReceiveNotifier(std::function<void()> notify) {
    for (const Member& member : m_members)
        member.port->setReceiveNotifier(notify);
}

} // namespace zkt
