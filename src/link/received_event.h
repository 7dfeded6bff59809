#pragma once
// The first half of the received-message dispatcher: every whole SysEx message from the MIDI
// input is recognised by its leading bytes and, when it is one the transfers wait for, turned
// into an event in the transfer's own terms. Echoes of our own requests, other messages and
// messages too short for the fields read give nothing. The transfer engine decides what an
// event means in the state it is in.

#include "link/device_requests.h"
#include "model/bytes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace zkt {

// The tag came back round the loop with this count.
struct TagReturned {
    std::uint8_t count = 0;
};

struct IdentityReplied {
    IdentityReply reply;
};

struct ProgramChunk {
    std::uint8_t device = 0;
    // Empty when the address field is damaged.
    std::optional<std::uint32_t> address;
    // Unpacked; a damaged byte is left out, which shifts everything after it.
    Bytes data;
    // What was wrong with the packed bytes, one line each; such a chunk cannot be placed.
    std::vector<std::string> damage;
};

using ReceivedEvent = std::variant<TagReturned, IdentityReplied, ProgramChunk>;

std::optional<ReceivedEvent> interpretReceived(std::span<const std::uint8_t> message);

// "the returned tag (count 4)", "an identity reply", "program data of device 2", for the log.
std::string describeEvent(const ReceivedEvent& event);

} // namespace zkt
