#include "cli/transfer_wait.h"

namespace zkt::cli {

std::string describeWait(const TransferState& transfer, const ConfigModel& model,
                         std::size_t queuedMessages) {
    const std::string manual = "manual " + std::to_string(model.currentManual);
    switch (transfer.transferState) {
    case state::cablingCheck:
        if (transfer.lastTagCount) {
            return "a valid count from the returned tag message (it came back with the count " +
                   std::to_string(*transfer.lastTagCount) + "; 2 to 6 stand for 1 to 5 MCUs)";
        }
        return "the tag message to come back round the MIDI loop (cabling check)";
    case state::askNextManual:
    case state::waitingForIdentity:
        return "the identity reply of " + manual;
    case state::identityReceived:
    case state::settling:
        return "the program request of " + manual + " to be sent";
    case state::waitingForFirstChunk:
        return "the program data of " + manual;
    case state::collectingChunks:
        return "the rest of the program data of " + manual + " (" + std::to_string(transfer.receivedLength) +
               " of " + std::to_string(transfer.expectedProgramLength) + " bytes received)";
    case state::writingManual:
    case state::nextManualToWrite:
        return "the program data of manual " + std::to_string(model.currentManual - 1) + " to be sent (" +
               std::to_string(queuedMessages) + " messages queued)";
    case state::cancellingWrite:
    case state::finished:
    case state::closing:
        return "the last messages to be sent (" + std::to_string(queuedMessages) + " queued)";
    default:
        return "a transfer to start";
    }
}

} // namespace zkt::cli
