#include "link/received_message.h"

#include "link/sysex_codec.h"
#include "model/bytes.h"
#include "model/hex_text.h"

#include <algorithm>
#include <string_view>

namespace zkt {

namespace {

// The protocol's constant byte strings, converted from their hex texts once.
struct KnownPrefixes {
    Bytes makerHeader = hexToBytes(sysex::manufacturerHeader);
    Bytes tag = hexToBytes(sysex::tagPrefix);
    Bytes loopback = hexToBytes(sysex::loopbackPrefix);
    Bytes identityRequest = hexToBytes(sysex::identityRequest);
    Bytes identityReply = hexToBytes(sysex::identityReply);
    Bytes programRequest = hexToBytes(sysex::programRequestCommand);
    Bytes programResponse = hexToBytes(sysex::programResponseCommand);
    Bytes programUpdate = hexToBytes(sysex::programUpdateCommand);
    Bytes mcuReboot = hexToBytes(sysex::mcuRebootCommand);
};

const KnownPrefixes& prefixes() {
    static const KnownPrefixes known;
    return known;
}

// Whether positions first..first+length-1 of message equal those of pattern (both 1-based).
bool samePositions(std::span<const std::uint8_t> message, std::span<const std::uint8_t> pattern,
                   std::size_t first, std::size_t length, std::size_t patternFirst) {
    if (!hasPosition(message, first + length - 1) || patternFirst + length - 1 > pattern.size())
        return false;
    return std::equal(message.begin() + static_cast<std::ptrdiff_t>(first - 1),
                      message.begin() + static_cast<std::ptrdiff_t>(first - 1 + length),
                      pattern.begin() + static_cast<std::ptrdiff_t>(patternFirst - 1));
}

bool startsWith(std::span<const std::uint8_t> message, std::span<const std::uint8_t> prefix) {
    return samePositions(message, prefix, 1, prefix.size(), 1);
}

// Command bytes sit at positions 6..8 of a maker message.
constexpr std::size_t commandPosition = 6;
bool hasCommand(std::span<const std::uint8_t> message, std::span<const std::uint8_t> command) {
    return samePositions(message, command, commandPosition, command.size(), 1);
}

// Identity messages: bytes 1-2 F0 7E, bytes 4-5 06 01 or 06 02 (byte 3 is the device).
bool isIdentity(std::span<const std::uint8_t> message, std::span<const std::uint8_t> pattern) {
    return samePositions(message, pattern, 1, 2, 1) && samePositions(message, pattern, 4, 2, 4);
}

} // namespace

ReceivedKind classifyReceived(std::span<const std::uint8_t> message) {
    const KnownPrefixes& known = prefixes();
    if (startsWith(message, known.makerHeader)) {
        if (startsWith(message, known.loopback))
            return ReceivedKind::loopbackTest;
        if (startsWith(message, known.tag))
            return ReceivedKind::tag;
        if (hasCommand(message, known.programRequest))
            return ReceivedKind::programRequestEcho;
        if (hasCommand(message, known.programResponse))
            return ReceivedKind::programResponse;
        if (hasCommand(message, known.programUpdate))
            return ReceivedKind::programUpdateEcho;
        if (hasCommand(message, known.mcuReboot))
            return ReceivedKind::mcuRebootEcho;
        return ReceivedKind::otherMakerMessage;
    }
    if (isIdentity(message, known.identityRequest))
        return ReceivedKind::identityRequestEcho;
    if (isIdentity(message, known.identityReply))
        return ReceivedKind::identityReply;
    return ReceivedKind::unknown;
}

} // namespace zkt
