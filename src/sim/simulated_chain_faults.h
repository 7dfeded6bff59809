#pragma once
// Faults the simulated chain can inflict on the messages it delivers to the computer or to one
// of its MCUs, so that tests can prove the transfer engine survives a lossy or garbled loop.

#include "link/clock.h"
#include "model/bytes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace zkt {

using MessagePredicate = std::function<bool(std::span<const std::uint8_t>)>;

enum class FaultKind {
    drop,        // the message never arrives
    duplicate,   // it arrives twice, back to back
    corruptData, // one byte inside the data gets its top bit set (>= 0x80)
    wrongLength, // it arrives with another length, still framed F0 .. F7
    delay,       // it arrives `delay` later than the wire would bring it
    tagCount,    // a tag message arrives with its count replaced by `tagCount`
};

// The input a fault watches: the computer's, or MCU k's (1..5).
inline constexpr int computerInput = 0;

struct MessageFault {
    FaultKind kind = FaultKind::drop;
    // Which messages qualify; empty matches every message.
    MessagePredicate matches;
    int input = computerInput;
    // The fault hits the n-th qualifying message that reaches that input (counted from 1, at the
    // computer whether or not its input is open)...
    int occurrence = 1;
    // ...and, when set, every qualifying message after it as well.
    bool repeat = false;

    Micros delay{0};           // delay
    std::size_t length = 0;    // wrongLength: new total length; 0 = one byte short
    std::size_t position = 0;  // corruptData: 1-based byte position; 0 = the middle of the message
    std::uint8_t tagCount = 0; // tagCount
};

// Predicates for the messages of the device protocol, by their leading bytes.
bool isTagMessage(std::span<const std::uint8_t> message);
bool isIdentityReply(std::span<const std::uint8_t> message);
bool isProgramResponse(std::span<const std::uint8_t> message);
bool isProgramUpdate(std::span<const std::uint8_t> message);
bool isMcuReboot(std::span<const std::uint8_t> message);

// Every message longer than `length` bytes, from the first on, never reaches `input`: what a
// MIDI interface does that cannot carry long SysEx.
MessageFault dropLongerThan(std::size_t length, int input = computerInput);

// The message with the fault's change applied (for corruptData, wrongLength and tagCount; the
// other kinds do not change bytes and return the message as it is).
Bytes applyFaultToBytes(const MessageFault& fault, std::span<const std::uint8_t> message);

} // namespace zkt
