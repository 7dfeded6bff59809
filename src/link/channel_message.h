#pragma once
// One MIDI channel message, a status byte 80..EF with its data bytes: what a console sends when
// it is played. The console check attributes them and the monitor words them; channels are
// 1..16 as the program shows them everywhere.

#include "model/bytes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zkt {

enum class ChannelKind : std::uint8_t {
    noteOff,
    noteOn,
    polyPressure,
    controlChange,
    programChange,
    channelPressure,
    pitchBend,
};

// The controllers the console's pistons and shoes send.
namespace controller {
inline constexpr int bankSelectMsb = 0;
inline constexpr int volume = 7;
inline constexpr int expression = 11;
inline constexpr int bankSelectLsb = 32;
inline constexpr int allNotesOff = 123;
} // namespace controller

struct ChannelMessage {
    ChannelKind kind = ChannelKind::noteOn;
    int channel = 1; // 1..16
    int data1 = 0;   // note, controller, program or pressure; pitch bend's low seven bits
    int data2 = 0;   // velocity or value; pitch bend's high seven bits; 0 where there is none

    bool operator==(const ChannelMessage&) const = default;
};

// The message the bytes are, exactly: a status byte 80..EF and as many data bytes as it takes.
std::optional<ChannelMessage> channelMessageOf(std::span<const std::uint8_t> bytes);
Bytes channelMessageBytes(const ChannelMessage& message);

// Bytes a message with this status byte 80..EF takes, its status byte included.
std::size_t channelMessageLength(std::uint8_t status);

// A Note On with a velocity above 0 starts a note; a Note Off or a Note On with velocity 0
// ends one.
bool startsNote(const ChannelMessage& message);
bool endsNote(const ChannelMessage& message);
bool isController(const ChannelMessage& message, int number);

} // namespace zkt
