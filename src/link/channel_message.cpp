#include "link/channel_message.h"

namespace zkt {

namespace {

constexpr std::uint8_t firstChannelStatus = 0x80;
constexpr std::uint8_t lastChannelStatus = 0xEF;

bool isChannelStatus(std::uint8_t byte) {
    return byte >= firstChannelStatus && byte <= lastChannelStatus;
}

} // namespace

std::size_t channelMessageLength(std::uint8_t status) {
    const auto kind = static_cast<ChannelKind>((status >> 4) - 8);
    return kind == ChannelKind::programChange || kind == ChannelKind::channelPressure ? 2 : 3;
}

std::optional<ChannelMessage> channelMessageOf(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || !isChannelStatus(bytes[0]) || bytes.size() != channelMessageLength(bytes[0]))
        return std::nullopt;
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        if (bytes[i] >= 0x80)
            return std::nullopt;
    }
    ChannelMessage message;
    message.kind = static_cast<ChannelKind>((bytes[0] >> 4) - 8);
    message.channel = (bytes[0] & 0x0F) + 1;
    message.data1 = bytes[1];
    message.data2 = bytes.size() > 2 ? bytes[2] : 0;
    return message;
}

Bytes channelMessageBytes(const ChannelMessage& message) {
    const auto status = static_cast<std::uint8_t>(((static_cast<int>(message.kind) + 8) << 4) |
                                                  ((message.channel - 1) & 0x0F));
    Bytes bytes{status, static_cast<std::uint8_t>(message.data1 & 0x7F)};
    if (channelMessageLength(status) == 3)
        bytes.push_back(static_cast<std::uint8_t>(message.data2 & 0x7F));
    return bytes;
}

bool startsNote(const ChannelMessage& message) {
    return message.kind == ChannelKind::noteOn && message.data2 > 0;
}

bool endsNote(const ChannelMessage& message) {
    return message.kind == ChannelKind::noteOff ||
           (message.kind == ChannelKind::noteOn && message.data2 == 0);
}

bool isController(const ChannelMessage& message, int number) {
    return message.kind == ChannelKind::controlChange && message.data1 == number;
}

} // namespace zkt
