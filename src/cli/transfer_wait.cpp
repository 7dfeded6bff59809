#include "cli/transfer_wait.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

#include <sstream>

namespace zkt::cli {

std::string describeWait(const TransferEngine& engine) {
    const TransferStatus status = engine.status();
    const int manual = status.manualInHand;
    const std::size_t queued = status.messagesQueued;
    switch (status.state) {
    case TransferState::cablingCheck:
        if (status.lastTagCount) {
            // TRANSLATORS: this and the other waits below complete "zktcli: gave up after 120 s waiting
            // for ...".
            return formatText(
                tr("a valid count from the returned tag message (it came back with the count %1; "
                   "2 to 6 stand for 1 to 5 MCUs)"),
                *status.lastTagCount);
        }
        return tr("the tag message to come back round the MIDI loop (cabling check)");
    case TransferState::askNextManual:
    case TransferState::waitingForIdentity:
        return formatText(tr("the identity reply of manual %1"), manual);
    case TransferState::identityReceived:
    case TransferState::settling:
        return formatText(tr("the program request of manual %1 to be sent"), manual);
    case TransferState::waitingForFirstChunk:
        return formatText(tr("the program data of manual %1"), manual);
    case TransferState::collectingChunks:
        return formatText(trn("the rest of the program data of manual %1 (%2 of %3 byte received)",
                              "the rest of the program data of manual %1 (%2 of %3 bytes received)",
                              static_cast<unsigned long>(status.bytesExpected)),
                          manual, status.bytesReceived, status.bytesExpected);
    case TransferState::writingManual:
    case TransferState::nextManualToWrite:
        if (queued > 0) {
            return formatText(trn("the program data of manual %1 to be sent (%2 message queued)",
                                  "the program data of manual %1 to be sent (%2 messages queued)", queued),
                              manual, queued);
        }
        return formatText(tr("the identity reply of manual %1"), manual);
    case TransferState::cancellingWrite:
    case TransferState::finished:
    case TransferState::closing:
        if (queued == 0)
            return tr("the pause after the last message, in which the MCU stores it");
        return formatText(tr("the last messages to be sent (%1 queued)"), queued);
    default:
        return tr("a transfer to start");
    }
}

std::string secondsText(Micros duration) {
    std::ostringstream text;
    text << duration.count() / 1'000'000.0;
    return text.str();
}

} // namespace zkt::cli
