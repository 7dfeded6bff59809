#include "cli/transfer_wait.h"

namespace zkt::cli {

std::string describeWait(const TransferEngine& engine) {
    const TransferStatus status = engine.status();
    const std::string manual = "manual " + std::to_string(status.manualInHand);
    const std::string queued = std::to_string(status.messagesQueued);
    switch (status.state) {
    case TransferState::cablingCheck:
        if (status.lastTagCount) {
            return "a valid count from the returned tag message (it came back with the count " +
                   std::to_string(*status.lastTagCount) + "; 2 to 6 stand for 1 to 5 MCUs)";
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
        return "the rest of the program data of " + manual + " (" + std::to_string(status.bytesReceived) +
               " of " + std::to_string(status.bytesExpected) + " bytes received)";
    case TransferState::writingManual:
    case TransferState::nextManualToWrite:
        if (status.messagesQueued > 0)
            return "the program data of " + manual + " to be sent (" + queued + " messages queued)";
        return "the identity reply of " + manual;
    case TransferState::cancellingWrite:
    case TransferState::finished:
    case TransferState::closing:
        if (status.messagesQueued == 0)
            return "the pause after the last message, in which the MCU stores it";
        return "the last messages to be sent (" + queued + " queued)";
    default:
        return "a transfer to start";
    }
}

} // namespace zkt::cli
