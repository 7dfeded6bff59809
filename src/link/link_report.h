#pragma once
// What came back of the connection test's messages (link_check.h), counted by message length.

#include "link/clock.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zkt {

struct LengthResult {
    std::size_t length = 0; // of the whole message, F0 to F7
    int sent = 0;
    int intact = 0;
    int corrupted = 0;        // came back, but changed
    Micros roundTripTotal{0}; // over the intact ones

    int lost() const { return sent - intact - corrupted; }
    std::optional<Micros> averageRoundTrip() const {
        if (intact == 0)
            return std::nullopt;
        return roundTripTotal / intact;
    }
};

struct LinkReport {
    std::vector<LengthResult> lengths; // shortest first
    int tagsSent = 0;
    int tagsReturned = 0;
    // The count the first returned tag carried: the tag's start count plus one per MCU.
    std::optional<int> returnedTagCount;
    // Messages that came back although the test had not sent them, or came back twice.
    int strayMessages = 0;
    // Why the output stopped taking messages, when it did.
    std::string outputError;

    int loopbacksSent() const;
    int loopbacksLost() const;
    int loopbacksCorrupted() const;
    // The MCUs the returned tag counted; empty when no tag came back.
    std::optional<int> mcuCount() const;
};

} // namespace zkt
