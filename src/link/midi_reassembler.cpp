#include "link/midi_reassembler.h"

#include "link/channel_message.h"

namespace zkt {

namespace {

constexpr std::uint8_t firstSystemStatus = 0xF0;
constexpr std::uint8_t firstRealTime = 0xF8;

} // namespace

MidiReassembler::MidiReassembler(std::size_t maxSysExSize) : m_sysEx(maxSysExSize) {}

std::vector<Bytes> MidiReassembler::feed(std::span<const std::uint8_t> bytes) {
    std::vector<Bytes> complete;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t byte = bytes[i];
        // Real-time bytes may stand anywhere, inside other messages too, and change nothing.
        if (byte >= firstRealTime)
            continue;
        // Every other byte goes to the SysEx side as well: a status byte ends its partial
        // message there, and outside a SysEx it ignores data bytes.
        for (Bytes& message : m_sysEx.feed(bytes.subspan(i, 1)))
            complete.push_back(std::move(message));
        takeChannelByte(byte, complete);
    }
    return complete;
}

void MidiReassembler::takeChannelByte(std::uint8_t byte, std::vector<Bytes>& complete) {
    if (byte >= firstSystemStatus) {
        // SysEx and system common messages cancel running status.
        m_runningStatus = 0;
        m_channel.clear();
        return;
    }
    if (byte >= 0x80) {
        m_runningStatus = byte;
        m_channel.assign(1, byte);
        return;
    }
    if (m_runningStatus == 0)
        return;
    if (m_channel.empty())
        m_channel.push_back(m_runningStatus);
    m_channel.push_back(byte);
    if (m_channel.size() == channelMessageLength(m_runningStatus)) {
        complete.push_back(std::move(m_channel));
        m_channel.clear();
    }
}

void MidiReassembler::reset() {
    m_sysEx.reset();
    m_runningStatus = 0;
    m_channel.clear();
}

} // namespace zkt
