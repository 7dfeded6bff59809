#pragma once
// The single state of all device and file transfers, and what the transfer engine keeps while
// one runs. The state numbers are those the program has always used: its log names them.

#include "link/program_collection.h"
#include "link/protocol.h"

#include <bitset>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zkt {

enum class TransferState : std::int16_t {
    idle = 0,
    askNextManual = 1,
    finished = 11,
    closing = 27,
    writingManual = 28,
    // A cancelled write sends the rest of the manual it had begun, then stops.
    cancellingWrite = 29,
    waitingForIdentity = 40,
    waitingForFirstChunk = 42,
    collectingChunks = 43,
    identityReceived = 44,
    settling = 45,
    nextManualToWrite = 61,
    cablingCheck = 62,
};

enum class TransferKind : std::int16_t { none = 0, load = 1, write = 2, file = 3 };

// Why the chain is read: to edit what it holds; only to look (a backup before a write, the
// read-back after it), which leaves the edited configuration alone; or only to count the MCUs
// and ask each one who it is, without reading any program data.
enum class LoadPurpose { edit, backup, readBack, identify };

// Which of a manual's 64-byte chunks a write sends.
using ChunkSet = std::bitset<protocol::chunksPerImage>;
inline const ChunkSet everyChunk = ChunkSet().set();

// What a write sends.
struct WriteRequest {
    // In order; empty: 1..numberOfManuals (manual 1 when no chain has been detected).
    std::vector<int> manuals;
    // The chunks each manual gets; a manual not listed gets all of them.
    std::map<int, ChunkSet> chunks;
    // The chain was read a moment ago: each manual is asked for its identity at once, without
    // the tag that counts the chain again, instead of on the first retry.
    bool askAtOnce = false;
};

// "40 (waiting for an identity reply)", for the log.
std::string describeState(TransferState state);

struct TransferContext {
    TransferState transferState = TransferState::idle;
    TransferKind transferKind = TransferKind::none;
    LoadPurpose purpose = LoadPurpose::edit;
    // The manual being transferred, 1-based.
    std::int16_t currentManual = 1;
    std::int16_t programSlot = 1;
    WriteRequest write;
    // The manuals a load reads, in order; empty: every manual of the chain.
    std::vector<int> manualsToRead;
    ProgramCollection collection;
    // The count the last returned tag carried, valid or not.
    std::optional<std::uint8_t> lastTagCount;

    // Owned by the timer. lastSeenState is the state whose entry action has run; retryTicks
    // count towards the next repeat of an unanswered request in the waiting states, and
    // programRetries the repeats of a program request, both from the state's request on.
    TransferState lastSeenState = TransferState::idle;
    std::int16_t retryTicks = 0;
    std::int16_t programRetries = 0;
};

// What a caller may know of the transfer that runs: what it is, where it stands and how far it
// has come. The engine's working state stays its own.
struct TransferStatus {
    TransferState state = TransferState::idle;
    TransferKind kind = TransferKind::none;
    LoadPurpose purpose = LoadPurpose::edit;
    // The manual being counted, asked, read or, while its messages leave, written.
    int manualInHand = 0;
    // The manuals a load reads, in order; empty: every manual of the chain.
    std::vector<int> manualsToRead;
    std::size_t bytesReceived = 0; // of the manual being read
    std::size_t bytesExpected = 0;
    std::size_t messagesQueued = 0;
    // The count the last returned tag of this transfer carried, valid or not.
    std::optional<std::uint8_t> lastTagCount;
};

} // namespace zkt
