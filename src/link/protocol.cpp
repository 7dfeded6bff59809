#include "link/protocol.h"

#include "link/sysex_codec.h"

namespace zkt::protocol {

// The sizes the MCUs and every MIDI interface on the way must carry.
static_assert(chunkResponseLength == 86 && wholeImageResponseLength == 305 && programUpdateLength == 89);
static_assert(updatePackedLength == 0x4A && programRequestLength == 14 && identityReplyLength == 23);
static_assert(shortestLoopback == 10);
static_assert(unpackedSize(packedSize(chunkSize)) == chunkSize &&
              unpackedSize(packedSize(programImageSize)) == programImageSize);

namespace {

template <typename Part> void append(Bytes& to, const Part& part) {
    to.insert(to.end(), part.begin(), part.end());
}

Bytes makerMessage(std::uint8_t device, std::span<const std::uint8_t> command) {
    Bytes message(makerHeader.begin(), makerHeader.end());
    message.push_back(device);
    append(message, command);
    return message;
}

Bytes ended(Bytes message) {
    message.push_back(sysexEnd);
    return message;
}

} // namespace

std::optional<std::uint32_t> read7bitNumber(std::span<const std::uint8_t> message, std::size_t position,
                                            std::size_t count) {
    if (!hasPosition(message, position + count - 1))
        return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = count; i >= 1; --i) {
        const std::uint8_t byte = byteAtPosition(message, position + i - 1);
        if (byte & 0x80)
            return std::nullopt;
        value = (value << 7) | byte;
    }
    return value;
}

std::optional<std::uint8_t> returnedTagCount(std::span<const std::uint8_t> message) {
    if (!hasPosition(message, pos::tagCount + 1))
        return std::nullopt;
    return byteAtPosition(message, pos::tagCount);
}

Bytes tagMessage(std::uint8_t count) {
    Bytes message = makerMessage(allDevices, tagCommand);
    message.push_back(count);
    return ended(std::move(message));
}

Bytes identityRequest(std::uint8_t device) {
    Bytes message(universalHeader.begin(), universalHeader.end());
    message.push_back(device);
    append(message, identityRequestCommand);
    return ended(std::move(message));
}

Bytes mcuReboot(std::uint8_t device) {
    return ended(makerMessage(device, mcuRebootCommand));
}

Bytes programRequest(std::uint8_t device, std::uint32_t address, std::uint32_t length) {
    Bytes message = makerMessage(device, programRequestCommand);
    append(message, encode7bitNumber(address, addressBytes));
    append(message, encode7bitNumber(length, lengthBytes));
    return ended(std::move(message));
}

Bytes programUpdate(std::uint8_t device, std::uint32_t address, std::span<const std::uint8_t> data) {
    Bytes message = makerMessage(device, programUpdateCommand);
    message.push_back(0x00);
    message.push_back(0x00);
    append(message, encode7bitNumber(address, addressBytes));
    const Bytes packed = pack7(data);
    message.push_back(static_cast<std::uint8_t>(packed.size()));
    append(message, packed);
    return ended(std::move(message));
}

Bytes programResponse(std::uint8_t device, std::uint32_t address, std::span<const std::uint8_t> data) {
    Bytes message = makerMessage(device, programResponseCommand);
    append(message, encode7bitNumber(address, addressBytes));
    append(message, pack7(data));
    return ended(std::move(message));
}

Bytes loopbackTest(std::uint16_t sequence, std::size_t length) {
    Bytes message = makerMessage(allDevices, loopbackCommand);
    append(message, encode7bitNumber(sequence, lengthBytes));
    // An odd step visits every 7-bit value, 00 and 7F included.
    for (std::size_t position = message.size() + 1; position < length; ++position)
        message.push_back(static_cast<std::uint8_t>((sequence * 13u + position * 29u) & 0x7F));
    return ended(std::move(message));
}

Bytes identityReply(std::uint8_t device, const IdentityFields& id) {
    Bytes message;
    message.reserve(identityReplyLength);
    append(message, universalHeader);
    message.push_back(device);
    append(message, identityReplyCommand);
    append(message, std::span(makerHeader).subspan(1));
    append(message, std::array<std::uint8_t, 8>{id.familyLo, id.familyHi, id.firmwareMajor, id.firmwareMinor,
                                                id.year, id.dateFirst, id.dateSecond, 0x00});
    append(message, encode7bitNumber(static_cast<std::uint32_t>(id.dipProgramMinusOne), lengthBytes));
    append(message, encode7bitNumber(static_cast<std::uint32_t>(id.programSlots), lengthBytes));
    message.push_back(id.hardwareType);
    message.push_back(id.trailingByte);
    return ended(std::move(message));
}

} // namespace zkt::protocol
