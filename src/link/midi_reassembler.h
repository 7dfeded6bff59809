#pragma once
// Turns the byte stream of a MIDI input, delivered in whatever pieces the backend chooses, into
// whole messages: SysEx (F0 .. F7, with the SysExReassembler's limits) and channel messages,
// running status included, each with its status byte. System common and real-time messages
// are of no use to the program and are dropped.

#include "link/sysex_reassembler.h"
#include "model/bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zkt {

class MidiReassembler {
public:
    explicit MidiReassembler(std::size_t maxSysExSize = SysExReassembler::defaultMaxMessageSize);

    // Returns the messages completed by these bytes, oldest first.
    std::vector<Bytes> feed(std::span<const std::uint8_t> bytes);

    // Forgets a partial message and the running status (for example when the port is closed).
    void reset();

    // Partial SysEx messages thrown away (SysExReassembler::discardedCount).
    std::size_t discardedCount() const { return m_sysEx.discardedCount(); }

private:
    void takeChannelByte(std::uint8_t byte, std::vector<Bytes>& complete);

    SysExReassembler m_sysEx;
    std::uint8_t m_runningStatus = 0; // 0: none, as after SysEx or a system common message
    Bytes m_channel;                  // the channel message being gathered
};

} // namespace zkt
