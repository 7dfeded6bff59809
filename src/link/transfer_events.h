#pragma once
// What the transfer engine tells whoever shows a transfer: the desktop program, zktcli, the
// browser page and tests each translate these events into what they show. Every event has an
// empty default, so a front end takes only those it needs.

#include "link/chain_count.h"
#include "link/device_requests.h"
#include "link/transfer_progress.h"
#include "link/transfer_state.h"

#include <string>

namespace zkt {

// How the last transfer ended, or that it still runs.
struct TransferOutcome {
    enum class Result { none, running, succeeded, failed, cancelled };
    // What stopped a failed transfer.
    enum class Cause { none, cannotEncode, portTrouble, deviceGone };

    Result result = Result::none;
    TransferKind kind = TransferKind::none;
    LoadPurpose purpose = LoadPurpose::edit;
    Cause cause = Cause::none;
    // Why it failed, or what a cancel left behind, in the user's words.
    std::string reason;

    bool running() const { return result == Result::running; }
    // Succeeded, failed or cancelled.
    bool ended() const { return result != Result::none && result != Result::running; }
};

class TransferObserver {
public:
    virtual ~TransferObserver() = default;

    // A load or write has begun (a file's end does not announce itself: its front end shows it).
    virtual void transferStarted(TransferKind, LoadPurpose) {}
    // What the transfer has come to. By default its words (transfer_words.h) are shown through
    // the four calls below; a front end that words the steps itself takes them here instead.
    virtual void progressed(const TransferProgress& progress);
    // The progress: a caption and a multi-line text. A new line goes below the text there is,
    // or starts the text when it is empty; appended text continues the last line.
    virtual void captionChanged(const std::string&) {}
    virtual void statusReplaced(const std::string&) {}
    virtual void statusLineAdded(const std::string&) {}
    virtual void statusAppended(const std::string&) {}
    // The returned tag's count, valid or not, during the cabling check.
    virtual void chainCounted(const ChainCount&) {}
    virtual void manualIdentified(int /*manual*/, const IdentityReply&) {}
    virtual void manualRead(int /*manual*/) {}
    // The manual's program updates and its reboot have all been handed to the port.
    virtual void manualWritten(int /*manual*/) {}
    // Whether Cancel can stop the transfer now.
    virtual void cancellableChanged(bool) {}
    // A transfer cannot start before a MIDI input and output are chosen. A front end that can
    // ask the user does so before it returns; the start goes ahead when both are chosen then.
    virtual void portChoiceNeeded(TransferKind) {}
    // Unanswered requests are repeated only while the progress is shown: the user put it away,
    // or the engine brought it back.
    virtual void retriesPaused() {}
    virtual void retriesResumed() {}
    // The outcome is final. After a successful load for editing the configuration holds what
    // the chain sent.
    virtual void transferFinished(const TransferOutcome&) {}
    // The pause after a successful transfer is over: the progress can go, the commands come back.
    virtual void closingDone() {}
};

} // namespace zkt
