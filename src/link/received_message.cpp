#include "link/received_message.h"

#include "link/protocol.h"

#include <algorithm>

namespace zkt {

namespace {

using namespace protocol;

// Whether the message holds `part` from the 1-based position on.
bool holdsAt(std::span<const std::uint8_t> message, std::size_t position,
             std::span<const std::uint8_t> part) {
    if (!hasPosition(message, position + part.size() - 1))
        return false;
    return std::equal(part.begin(), part.end(), message.begin() + static_cast<std::ptrdiff_t>(position - 1));
}

bool isMakerCommand(std::span<const std::uint8_t> message, std::span<const std::uint8_t> command) {
    return holdsAt(message, pos::command, command);
}

// The tag and loopback messages are always addressed to every device.
bool isBroadcast(std::span<const std::uint8_t> message, std::span<const std::uint8_t> command) {
    return hasPosition(message, pos::device) && byteAtPosition(message, pos::device) == allDevices &&
           isMakerCommand(message, command);
}

} // namespace

ReceivedKind classifyReceived(std::span<const std::uint8_t> message) {
    if (holdsAt(message, 1, makerHeader)) {
        if (isBroadcast(message, loopbackCommand))
            return ReceivedKind::loopbackTest;
        if (isBroadcast(message, tagCommand))
            return ReceivedKind::tag;
        if (isMakerCommand(message, programRequestCommand))
            return ReceivedKind::programRequestEcho;
        if (isMakerCommand(message, programResponseCommand))
            return ReceivedKind::programResponse;
        if (isMakerCommand(message, programUpdateCommand))
            return ReceivedKind::programUpdateEcho;
        if (isMakerCommand(message, mcuRebootCommand))
            return ReceivedKind::mcuRebootEcho;
        return ReceivedKind::otherMakerMessage;
    }
    // Byte 3 of an identity message is the device.
    if (holdsAt(message, 1, universalHeader)) {
        if (holdsAt(message, pos::identityCommand, identityRequestCommand))
            return ReceivedKind::identityRequestEcho;
        if (holdsAt(message, pos::identityCommand, identityReplyCommand))
            return ReceivedKind::identityReply;
    }
    return ReceivedKind::unknown;
}

} // namespace zkt
