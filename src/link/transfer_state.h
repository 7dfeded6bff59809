#pragma once
// The single state of all device and file transfers. The dispatcher and the timer advance it
// together; the numbers are those the program has always used (its log and tests name them).

#include "model/bytes.h"
#include "model/program_image.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zkt {

namespace state {
inline constexpr std::int16_t idle = 0;
inline constexpr std::int16_t askNextManual = 1;
inline constexpr std::int16_t finished = 11;
inline constexpr std::int16_t closing = 27;
inline constexpr std::int16_t writingManual = 28;
inline constexpr std::int16_t waitingForIdentity = 40;
inline constexpr std::int16_t waitingForFirstChunk = 42;
inline constexpr std::int16_t collectingChunks = 43;
inline constexpr std::int16_t identityReceived = 44;
inline constexpr std::int16_t settling = 45;
inline constexpr std::int16_t nextManualToWrite = 61;
inline constexpr std::int16_t cablingCheck = 62;
// A cancelled write sends the rest of the manual it had begun, then stops.
inline constexpr std::int16_t cancellingWrite = 29;
} // namespace state

namespace kind {
inline constexpr std::int16_t none = 0;
inline constexpr std::int16_t load = 1;
inline constexpr std::int16_t write = 2;
inline constexpr std::int16_t file = 3;
} // namespace kind

struct TransferState {
    std::int16_t transferState = state::idle;
    std::int16_t transferKind = kind::none;
    std::int16_t programSlot = 1;
    // The manuals a write covers, in order; empty: 1..numberOfManuals.
    std::vector<int> manualsToWrite;
    std::int16_t expectedProgramLength = static_cast<std::int16_t>(programImageSize);
    // Where the requested data starts in the MCU's memory (slot index x 256).
    std::uint32_t requestedProgramAddress = 0;
    // Unpacked program data of the manual being loaded, placed by each chunk's address; which
    // bytes a chunk has filled, and how many (see program_data_collection.h).
    Bytes receivedProgramData;
    std::vector<bool> receivedFilled;
    std::int16_t receivedLength = 0;
    int receivedChunks = 0;
    // The board repeats the request's address in every chunk: place them one after the other.
    bool chunksInArrivalOrder = false;

    // The count the last returned tag carried, valid or not.
    std::optional<std::uint8_t> lastTagCount;

    // Owned by the timer.
    std::int16_t lastSeenState = state::idle;
    std::int16_t retryTicks = 0;
    std::int16_t retryCount = 0;
    std::int16_t programRetries = 0;
    std::int16_t waitTicks = 0;
};

} // namespace zkt
