#include "link/message_meaning.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

#include "link/chain_count.h"
#include "link/channel_message_words.h"
#include "link/protocol.h"
#include "link/received_message.h"
#include "model/config_model.h"
#include "model/hex_text.h"

#include <algorithm>
#include <optional>

namespace zkt {

namespace {

using namespace protocol;

std::string hexOf(std::span<const std::uint8_t> message) {
    if (message.empty())
        return tr("(no bytes)");
    std::string hex = bytesToHex(message);
    hex.pop_back(); // the blank after the last byte
    return hex;
}

std::string deviceName(std::uint8_t device) {
    if (device == allDevices)
        return tr("all manuals");
    if (device >= 1 && device <= maxManuals)
        return formatText(tr("manual %1"), device);
    return formatText(tr("device %1"), device);
}

std::string deviceAt(std::span<const std::uint8_t> message, std::size_t position) {
    return deviceName(byteAtPosition(message, position));
}

// The data bytes packed from a 1-based position up to the byte before F7.
std::size_t dataBytesFrom(std::span<const std::uint8_t> message, std::size_t position) {
    return hasPosition(message, position + 1) ? unpackedSize(message.size() - position) : 0;
}

// ", bytes 128–191" for data that starts at the 3-byte address read from addressAt.
std::string byteRange(std::span<const std::uint8_t> message, std::size_t addressAt, std::size_t dataBytes) {
    const auto address = read7bitNumber(message, addressAt, addressBytes);
    if (!address)
        return {};
    if (dataBytes == 0)
        return formatText(tr(", no data at %1"), *address);
    return formatText(tr(", bytes %1–%2"), *address, *address + dataBytes - 1);
}

std::string mcusCounted(int mcus) {
    if (mcus < 0)
        return tr("invalid");
    if (mcus == 0)
        return tr("no MCU");
    const std::string counted = formatText(trn("%1 MCU", "%1 MCUs", static_cast<unsigned long>(mcus)), mcus);
    return mcus > maxManuals ? formatText(tr("%1, more than a chain holds"), counted) : counted;
}

std::string tagMeaning(TrafficDirection direction, std::span<const std::uint8_t> message) {
    const auto count = returnedTagCount(message);
    if (!count)
        return tr("Tag");
    std::string text = formatText(tr("Tag, count %1"), *count);
    if (direction == TrafficDirection::received)
        text += formatText(tr(" (%1)"), mcusCounted(chainCountFromTag(*count).boards));
    return text;
}

std::string loopbackMeaning(std::span<const std::uint8_t> message) {
    const auto sequence = read7bitNumber(message, pos::loopbackSequence, lengthBytes);
    return sequence ? formatText(tr("Loopback test %1"), *sequence) : tr("Loopback test");
}

std::string programRequestMeaning(std::span<const std::uint8_t> message) {
    std::string text = formatText(tr("Program request, %1"), deviceAt(message, pos::device));
    const auto address = read7bitNumber(message, pos::requestAddress, addressBytes);
    const auto length = read7bitNumber(message, pos::requestLength, lengthBytes);
    if (address && length)
        text += formatText(tr(", %1 bytes at %2"), *length, *address);
    return text;
}

std::string identityReplyMeaning(std::span<const std::uint8_t> message) {
    std::string text = formatText(tr("Identity reply, %1"), deviceAt(message, pos::identityDevice));
    if (hasPosition(message, pos::firmwareMinor + 1))
        text += formatText(tr(", firmware %1.%2"), byteAtPosition(message, pos::firmwareMajor),
                           byteAtPosition(message, pos::firmwareMinor));
    if (hasPosition(message, pos::hardwareType + 1))
        text += formatText(tr(", hardware %1"), byteAtPosition(message, pos::hardwareType));
    return text;
}

std::string knownMeaning(ReceivedKind kind, TrafficDirection direction,
                         std::span<const std::uint8_t> message) {
    switch (kind) {
    case ReceivedKind::tag:
        return tagMeaning(direction, message);
    case ReceivedKind::loopbackTest:
        return loopbackMeaning(message);
    case ReceivedKind::programRequestEcho:
        return programRequestMeaning(message);
    case ReceivedKind::programResponse:
        return formatText(tr("Program response, %1"), deviceAt(message, pos::device)) +
               byteRange(message, pos::responseAddress, dataBytesFrom(message, pos::responsePayload));
    case ReceivedKind::programUpdateEcho:
        return formatText(tr("Program update, %1"), deviceAt(message, pos::device)) +
               byteRange(message, pos::updateAddress, dataBytesFrom(message, pos::updatePayload));
    case ReceivedKind::mcuRebootEcho:
        return formatText(tr("Reboot, %1"), deviceAt(message, pos::device));
    case ReceivedKind::identityRequestEcho:
        return formatText(tr("Identity request, %1"), deviceAt(message, pos::identityDevice));
    case ReceivedKind::identityReply:
        return identityReplyMeaning(message);
    case ReceivedKind::otherMakerMessage:
        return formatText(tr("Unknown ZKT message: %1"), hexOf(message));
    case ReceivedKind::unknown:
        break;
    }
    return formatText(tr("Unknown: %1"), hexOf(message));
}

std::optional<std::size_t> fixedLength(ReceivedKind kind) {
    switch (kind) {
    case ReceivedKind::tag:
        return tagLength;
    case ReceivedKind::programRequestEcho:
        return programRequestLength;
    case ReceivedKind::programUpdateEcho:
        return programUpdateLength;
    case ReceivedKind::mcuRebootEcho:
        return mcuRebootLength;
    case ReceivedKind::identityRequestEcho:
        return identityRequestLength;
    case ReceivedKind::identityReply:
        return identityReplyLength;
    default:
        return std::nullopt;
    }
}

// What is wrong with a message that was recognised by its leading bytes.
std::string flaws(ReceivedKind kind, std::span<const std::uint8_t> message) {
    std::string text;
    const auto expected = fixedLength(kind);
    if (expected && message.size() != *expected)
        text += ", " + std::to_string(message.size()) + " bytes instead of " + std::to_string(*expected);
    // Between F0 and F7 every byte is a 7-bit data byte.
    const auto inside = message.subspan(1, message.size() - 2);
    const auto damaged = std::find_if(inside.begin(), inside.end(), [](std::uint8_t b) { return b >= 0x80; });
    if (damaged != inside.end())
        text += ", damaged: byte " + hexByte(*damaged) + " at position " +
                std::to_string(damaged - inside.begin() + 2);
    if (message.back() != sysexEnd)
        text += ", no F7 at the end";
    return text;
}

} // namespace

std::string messageMeaning(TrafficDirection direction, std::span<const std::uint8_t> message) {
    const std::string arrow = direction == TrafficDirection::sent ? "→ " : "← ";
    if (const auto channelMessage = channelMessageOf(message))
        return arrow + channelMessageWords(*channelMessage);
    const ReceivedKind kind = classifyReceived(message);
    std::string text = arrow + knownMeaning(kind, direction, message);
    if (kind != ReceivedKind::unknown && kind != ReceivedKind::otherMakerMessage)
        text += flaws(kind, message);
    return text;
}

} // namespace zkt
