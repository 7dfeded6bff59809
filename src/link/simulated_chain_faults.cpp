#include "link/simulated_chain_faults.h"

#include <algorithm>
#include <initializer_list>

namespace zkt {

namespace {

inline constexpr std::size_t tagCountPosition = 8; // 1-based
inline constexpr std::size_t smallestFramedMessage = 2;

bool startsWith(std::span<const std::uint8_t> message, std::initializer_list<std::uint8_t> prefix) {
    return message.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), message.begin());
}

bool isMakerCommand(std::span<const std::uint8_t> message, std::uint8_t command) {
    return startsWith(message, {0xF0, 0x00, 0x2F, 0x71}) && message.size() >= 9 && message[5] == 0x04 &&
           message[6] == 0x01 && message[7] == command;
}

} // namespace

bool isTagMessage(std::span<const std::uint8_t> message) {
    return startsWith(message, {0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02}) &&
           message.size() > tagCountPosition && message[tagCountPosition - 1] < 0x80;
}

bool isIdentityReply(std::span<const std::uint8_t> message) {
    return message.size() >= 5 && message[0] == 0xF0 && message[1] == 0x7E && message[3] == 0x06 &&
           message[4] == 0x02;
}

bool isProgramResponse(std::span<const std::uint8_t> message) {
    return isMakerCommand(message, 0x04);
}
bool isProgramUpdate(std::span<const std::uint8_t> message) {
    return isMakerCommand(message, 0x08);
}
bool isMcuReboot(std::span<const std::uint8_t> message) {
    return isMakerCommand(message, 0x20);
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
        resized.push_back(0xF7);
        result = std::move(resized);
        break;
    }
    case FaultKind::tagCount:
        if (isTagMessage(result)) {
            result[tagCountPosition - 1] = fault.tagCount;
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
