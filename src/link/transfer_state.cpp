#include "link/transfer_state.h"

namespace zkt {

namespace {

const char* meaning(TransferState state) {
    switch (state) {
    case TransferState::idle:
        return "idle";
    case TransferState::askNextManual:
        return "ask the next manual";
    case TransferState::finished:
        return "finished";
    case TransferState::closing:
        return "closing";
    case TransferState::writingManual:
        return "writing one manual";
    case TransferState::cancellingWrite:
        return "cancelling a write";
    case TransferState::waitingForIdentity:
        return "waiting for an identity reply";
    case TransferState::waitingForFirstChunk:
        return "waiting for the first program-data chunk";
    case TransferState::collectingChunks:
        return "collecting program-data chunks";
    case TransferState::identityReceived:
        return "identity received";
    case TransferState::settling:
        return "settling before the program request";
    case TransferState::nextManualToWrite:
        return "next manual to write";
    case TransferState::cablingCheck:
        return "cabling check";
    }
    return "unknown";
}

} // namespace

std::string describeState(TransferState state) {
    return std::to_string(static_cast<int>(state)) + " (" + meaning(state) + ")";
}

} // namespace zkt
