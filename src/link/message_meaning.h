#pragma once
// What a message on the wire means, in words, for the MIDI monitor and zktcli's traffic
// lines: "→ Program request, manual 2, 256 bytes at 0", "← Tag, count 4 (3 MCUs)", and what
// the console plays, as the console check words it: "← Program Change #9 on MIDI Channel 4".
// Any bytes are taken: a known message that is cut short, too long or damaged says so, and
// anything else is shown as hex.

#include <cstdint>
#include <span>
#include <string>

namespace zkt {

enum class TrafficDirection { sent, received };

// The direction's arrow, a blank, and the meaning.
std::string messageMeaning(TrafficDirection direction, std::span<const std::uint8_t> message);

} // namespace zkt
