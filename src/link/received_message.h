#pragma once
// Recognises a received SysEx message by its leading bytes. Positions are 1-based, as in the
// protocol's byte tables; nothing is read past the end of a message.

#include <cstddef>
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

// The byte at a 1-based position; callers check hasPosition first.
inline bool hasPosition(std::span<const std::uint8_t> message, std::size_t position) {
    return position >= 1 && position <= message.size();
}
inline std::uint8_t byteAtPosition(std::span<const std::uint8_t> message, std::size_t position) {
    return message[position - 1];
}

// The returned tag's count byte and the shortest messages whose fields can be read whole.
inline constexpr std::size_t tagCountPosition = 8;
// Eleven header bytes and the end byte.
inline constexpr std::size_t programResponseHeaderLength = 11;
inline constexpr std::size_t shortestProgramResponse = programResponseHeaderLength + 1;
// Within a program response: the answering MCU's device byte and the address of the first
// data byte (three 7-bit bytes, least significant first, as in the request).
inline constexpr std::size_t responseDevicePosition = 5;
inline constexpr std::size_t responseAddressPosition = 9;
inline constexpr std::size_t responseAddressLength = 3;

} // namespace zkt
