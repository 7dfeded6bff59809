#pragma once
// Turns the byte stream of a MIDI input, delivered in whatever pieces the backend chooses,
// into whole SysEx messages (F0 .. F7). Everything that is not SysEx is of no use to the
// program and is dropped; so is every SysEx that arrives broken.

#include "link/protocol.h"
#include "model/bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zkt {

class SysExReassembler {
public:
    // Room for the longest message of the device, and for longer loopback tests, but a runaway
    // stream without F7 must not grow without bound.
    static constexpr std::size_t defaultMaxMessageSize = 1024;
    static_assert(defaultMaxMessageSize > protocol::wholeImageResponseLength);

    explicit SysExReassembler(std::size_t maxMessageSize = defaultMaxMessageSize);

    // Returns the messages completed by these bytes, oldest first.
    std::vector<Bytes> feed(std::span<const std::uint8_t> bytes);

    // Forgets a partial message (for example when the port is closed).
    void reset();

    // Partial messages thrown away: cut short by another status byte or a new F0, or too long.
    std::size_t discardedCount() const { return m_discarded; }

private:
    void discardPartial();

    std::size_t m_maxMessageSize;
    Bytes m_partial;
    bool m_inMessage = false;
    bool m_tooLong = false;
    std::size_t m_discarded = 0;
};

} // namespace zkt
