#pragma once
// The SysEx protocol between the computer and the MCU chain, byte for byte: framing, device
// bytes, command bytes, message lengths and the 1-based positions of every field the program
// sends or reads. The requests, the received-message classifier, the simulated MCUs and the
// MIDI monitor all build and read messages from here and nowhere else.

#include "model/bytes.h"
#include "model/program_image.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zkt::protocol {

using Triple = std::array<std::uint8_t, 3>;
using Pair = std::array<std::uint8_t, 2>;

inline constexpr std::uint8_t sysexStart = 0xF0;
inline constexpr std::uint8_t sysexEnd = 0xF7;

// Maker messages: F0, the manufacturer's three bytes, the device byte, the command bytes.
inline constexpr std::array<std::uint8_t, 4> makerHeader{0xF0, 0x00, 0x2F, 0x71};
// Universal identity messages: F0 7E, the device byte, 06 01 (request) or 06 02 (reply).
inline constexpr Pair universalHeader{0xF0, 0x7E};
inline constexpr Pair identityRequestCommand{0x06, 0x01};
inline constexpr Pair identityReplyCommand{0x06, 0x02};

// Device bytes: a manual number 1..5 addresses one MCU; this one addresses all of them.
inline constexpr std::uint8_t allDevices = 0x7F;

// Command bytes of maker messages, from position 6 on.
inline constexpr Pair tagCommand{0x04, 0x02}; // followed by the running count
inline constexpr Pair loopbackCommand{0x04, 0x03};
inline constexpr Triple programRequestCommand{0x04, 0x01, 0x03};
inline constexpr Triple programResponseCommand{0x04, 0x01, 0x04};
inline constexpr Triple programUpdateCommand{0x04, 0x01, 0x08};
inline constexpr Triple mcuRebootCommand{0x04, 0x01, 0x20};

// The count a tag starts with; every MCU adds one on its way round the loop.
inline constexpr std::uint8_t tagStartCount = 0x01;

// MIDI runs at 31250 baud, ten bits a byte: each hop of the loop carries a byte in this time.
inline constexpr std::chrono::microseconds byteTime{320};

// Program data travels in chunks: the program updates always carry 64 bytes; the MCUs answer
// a request in chunks of 64 bytes or all at once.
inline constexpr std::size_t chunkSize = 64;
inline constexpr std::size_t chunksPerImage = programImageSize / chunkSize;
// Seven data bytes become a header byte and seven 7-bit bytes; a short last group likewise.
constexpr std::size_t packedSize(std::size_t dataBytes) {
    return dataBytes + (dataBytes + 6) / 7;
}
// The data bytes that many packed bytes carry: every eighth one is a header.
constexpr std::size_t unpackedSize(std::size_t packedBytes) {
    return packedBytes - (packedBytes + 7) / 8;
}
// Addresses are slot index x 256 + offset, written as three 7-bit bytes, least significant
// first; lengths as two.
inline constexpr std::size_t addressBytes = 3;
inline constexpr std::size_t lengthBytes = 2;

// 1-based positions. Maker messages:
namespace pos {
inline constexpr std::size_t device = 5;
inline constexpr std::size_t command = 6;
inline constexpr std::size_t tagCount = 8;
inline constexpr std::size_t loopbackSequence = 8; // two 7-bit bytes
inline constexpr std::size_t requestAddress = 9;
inline constexpr std::size_t requestLength = 12;
inline constexpr std::size_t responseAddress = 9;
inline constexpr std::size_t responsePayload = 12;
inline constexpr std::size_t updateAddress = 11;
inline constexpr std::size_t updatePackedCount = 14;
inline constexpr std::size_t updatePayload = 15;
// Identity messages:
inline constexpr std::size_t identityDevice = 3;
inline constexpr std::size_t identityCommand = 4;
inline constexpr std::size_t identityFamily = 9; // two bytes
inline constexpr std::size_t firmwareMajor = 11;
inline constexpr std::size_t firmwareMinor = 12;
inline constexpr std::size_t firmwareYear = 13;
inline constexpr std::size_t firmwareDateFirst = 14;
inline constexpr std::size_t firmwareDateSecond = 15;
inline constexpr std::size_t dipProgram = 17;   // two 7-bit bytes
inline constexpr std::size_t programSlots = 19; // two 7-bit bytes
inline constexpr std::size_t hardwareType = 21;
} // namespace pos

// Message lengths, F0 and F7 included.
inline constexpr std::size_t tagLength = 9;
inline constexpr std::size_t identityRequestLength = 6;
inline constexpr std::size_t identityReplyLength = 23;
inline constexpr std::size_t programRequestLength = 14;
inline constexpr std::size_t responseHeaderLength = pos::responsePayload - 1;
inline constexpr std::size_t shortestResponse = responseHeaderLength + 1;
inline constexpr std::size_t chunkResponseLength = shortestResponse + packedSize(chunkSize);
inline constexpr std::size_t wholeImageResponseLength = shortestResponse + packedSize(programImageSize);
inline constexpr std::size_t updatePackedLength = packedSize(chunkSize);
inline constexpr std::size_t programUpdateLength = pos::updatePayload + updatePackedLength;
inline constexpr std::size_t mcuRebootLength = 9;
// A loopback test message holds its sequence number and then filler up to the length asked for.
inline constexpr std::size_t shortestLoopback = pos::loopbackSequence + lengthBytes;

// The byte at a 1-based position; callers check hasPosition first.
inline bool hasPosition(std::span<const std::uint8_t> message, std::size_t position) {
    return position >= 1 && position <= message.size();
}
inline std::uint8_t byteAtPosition(std::span<const std::uint8_t> message, std::size_t position) {
    return message[position - 1];
}
// A 7-bit number of `count` bytes, least significant first, from a 1-based position; empty when
// the message is too short or a byte has its high bit set.
std::optional<std::uint32_t> read7bitNumber(std::span<const std::uint8_t> message, std::size_t position,
                                            std::size_t count);

// The count of a tag message that came back round the loop, when it holds one (and its end).
std::optional<std::uint8_t> returnedTagCount(std::span<const std::uint8_t> message);

// The messages, each from F0 to F7.
Bytes tagMessage(std::uint8_t count = tagStartCount);
Bytes identityRequest(std::uint8_t device);
Bytes mcuReboot(std::uint8_t device);
Bytes programRequest(std::uint8_t device, std::uint32_t address, std::uint32_t length);
// data: one chunk of chunkSize bytes.
Bytes programUpdate(std::uint8_t device, std::uint32_t address, std::span<const std::uint8_t> data);
Bytes programResponse(std::uint8_t device, std::uint32_t address, std::span<const std::uint8_t> data);
// length: of the whole message, at least shortestLoopback. The filler depends on the sequence
// number and the position, so a changed or shifted byte shows.
Bytes loopbackTest(std::uint16_t sequence, std::size_t length);

// What an MCU says of itself. The defaults describe a plausible board: firmware 2.1 of
// 4/17/2006, one program slot, DIP switch on program 1.
struct IdentityFields {
    std::uint8_t familyLo = 0x00;
    std::uint8_t familyHi = 0x01;
    std::uint8_t firmwareMajor = 2;
    std::uint8_t firmwareMinor = 1;
    std::uint8_t year = 6; // two digits
    std::uint8_t dateFirst = 4;
    std::uint8_t dateSecond = 17;
    int dipProgramMinusOne = 0;
    int programSlots = 1;
    std::uint8_t hardwareType = 18;
    std::uint8_t trailingByte = 0;
};
Bytes identityReply(std::uint8_t device, const IdentityFields& fields);

} // namespace zkt::protocol
