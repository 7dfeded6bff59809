#include "sim/simulated_chain_faults.h"

#include "link/protocol.h"
#include "link/received_message.h"

#include <algorithm>

namespace zkt {

namespace {

inline constexpr std::size_t smallestFramedMessage = 2;

} // namespace

bool isTagMessage(std::span<const std::uint8_t> message) {
    // The count must be there and be a data byte for a tag to be counted on.
    return classifyReceived(message) == ReceivedKind::tag &&
           protocol::hasPosition(message, protocol::pos::tagCount) &&
           protocol::byteAtPosition(message, protocol::pos::tagCount) < 0x80;
}

bool isIdentityReply(std::span<const std::uint8_t> message) {
    return classifyReceived(message) == ReceivedKind::identityReply;
}
bool isProgramResponse(std::span<const std::uint8_t> message) {
    return classifyReceived(message) == ReceivedKind::programResponse;
}
bool isProgramUpdate(std::span<const std::uint8_t> message) {
    return classifyReceived(message) == ReceivedKind::programUpdateEcho;
}
bool isMcuReboot(std::span<const std::uint8_t> message) {
    return classifyReceived(message) == ReceivedKind::mcuRebootEcho;
}

MessageFault dropLongerThan(std::size_t length, int input) {
    MessageFault fault;
    fault.kind = FaultKind::drop;
    fault.matches = [length](std::span<const std::uint8_t> message) { return message.size() > length; };
    fault.input = input;
    fault.repeat = true;
    return fault;
}

Bytes applyFaultToBytes(const MessageFault& fault, std::span<const std::uint8_t> message) {
    Bytes result(message.begin(), message.end());
    if (result.size() < smallestFramedMessage) {
        return result;
    }
    switch (fault.kind) {
    case FaultKind::corruptData: {
        // Only bytes between F0 and F7 count as data.
        if (result.size() <= smallestFramedMessage) {
            break;
        }
        const std::size_t position = std::clamp<std::size_t>(
            fault.position == 0 ? (result.size() + 1) / 2 : fault.position, 2, result.size() - 1);
        result[position - 1] |= 0x80;
        break;
    }
    case FaultKind::wrongLength: {
        const std::size_t wanted =
            std::max(smallestFramedMessage, fault.length == 0 ? result.size() - 1 : fault.length);
        const std::size_t kept = std::min(wanted, result.size()) - 1;
        Bytes resized(result.begin(), result.begin() + static_cast<std::ptrdiff_t>(kept));
        resized.resize(wanted - 1, 0x00);
        resized.push_back(protocol::sysexEnd);
        result = std::move(resized);
        break;
    }
    case FaultKind::tagCount:
        if (isTagMessage(result)) {
            result[protocol::pos::tagCount - 1] = fault.tagCount;
        }
        break;
    case FaultKind::drop:
    case FaultKind::duplicate:
    case FaultKind::delay:
        break;
    }
    return result;
}

} // namespace zkt
