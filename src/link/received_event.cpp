#include "link/received_event.h"

#include "link/protocol.h"
#include "link/received_message.h"
#include "link/sysex_codec.h"

namespace zkt {

namespace {

std::optional<ReceivedEvent> programChunkOf(std::span<const std::uint8_t> message) {
    using namespace protocol;
    if (message.size() < shortestResponse)
        return std::nullopt;
    ProgramChunk chunk;
    chunk.device = byteAtPosition(message, pos::device);
    chunk.address = read7bitNumber(message, pos::responseAddress, addressBytes);
    const auto payload = message.subspan(responseHeaderLength, message.size() - shortestResponse);
    chunk.data = unpack7(payload, [&chunk](const std::string& text) { chunk.damage.push_back(text); });
    return chunk;
}

} // namespace

std::optional<ReceivedEvent> interpretReceived(std::span<const std::uint8_t> message) {
    switch (classifyReceived(message)) {
    case ReceivedKind::tag:
        if (const auto count = protocol::returnedTagCount(message))
            return TagReturned{*count};
        return std::nullopt;
    case ReceivedKind::identityReply:
        if (auto reply = decodeIdentityReply(message))
            return IdentityReplied{std::move(*reply)};
        return std::nullopt;
    case ReceivedKind::programResponse:
        return programChunkOf(message);
    default:
        return std::nullopt;
    }
}

std::string describeEvent(const ReceivedEvent& event) {
    if (const auto* tag = std::get_if<TagReturned>(&event))
        return "the returned tag (count " + std::to_string(tag->count) + ")";
    if (std::holds_alternative<IdentityReplied>(event))
        return "an identity reply";
    return "program data of device " + std::to_string(std::get<ProgramChunk>(event).device);
}

} // namespace zkt
