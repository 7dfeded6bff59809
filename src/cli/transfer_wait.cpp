#include "cli/transfer_wait.h"

namespace zkt::cli {

std::string describeWait(const TransferEngine& engine) {
    const TransferContext& transfer = engine.transfer();
    const std::size_t queuedMessages = engine.queue().queueLength();
    const std::string manual = "manual " + std::to_string(transfer.currentManual);
    switch (transfer.transferState) {
    case TransferState::cablingCheck:
        if (transfer.lastTagCount) {
            return "a valid count from the returned tag message (it came back with the count " +
                   std::to_string(*transfer.lastTagCount) + "; 2 to 6 stand for 1 to 5 MCUs)";
        }
        return "the tag message to come back round the MIDI loop (cabling check)";
    case TransferState::askNextManual:
    case TransferState::waitingForIdentity:
        return "the identity reply of " + manual;
    case TransferState::identityReceived:
    case TransferState::settling:
        return "the program request of " + manual + " to be sent";
    case TransferState::waitingForFirstChunk:
        return "the program data of " + manual;
    case TransferState::collectingChunks:
        return "the rest of the program data of " + manual + " (" +
               std::to_string(transfer.collection.receivedLength) + " of " +
               std::to_string(transfer.collection.expectedProgramLength) + " bytes received)";
    case TransferState::writingManual:
    case TransferState::nextManualToWrite:
        // The manual in hand is already the next one to ask; what is queued is the one before.
        if (const int sending = engine.queue().unitLeavingNext(); sending != 0)
            return "the program data of manual " + std::to_string(sending) + " to be sent (" +
                   std::to_string(queuedMessages) + " messages queued)";
        return "the identity reply of " + manual;
    case TransferState::cancellingWrite:
    case TransferState::finished:
    case TransferState::closing:
        if (queuedMessages == 0)
            return "the pause after the last message, in which the MCU stores it";
        return "the last messages to be sent (" + std::to_string(queuedMessages) + " queued)";
    default:
        return "a transfer to start";
    }
}

} // namespace zkt::cli
