#pragma once
// Recognises a received SysEx message by its leading bytes (link/protocol.h); nothing is read
// past the end of a message.

#include <cstdint>
#include <span>

namespace zkt {

enum class ReceivedKind {
    loopbackTest,
    tag,
    programRequestEcho,
    programResponse,
    programUpdateEcho,
    mcuRebootEcho,
    otherMakerMessage,
    identityRequestEcho,
    identityReply,
    unknown,
};

ReceivedKind classifyReceived(std::span<const std::uint8_t> message);

} // namespace zkt
