#include "link/transfer_words.h"

#include "link/status_text.h"
#include "link/write_summary.h"

namespace zkt {

namespace texts {

std::string loadingCaption() {
    return "Loading Program Data from " + std::string(product);
}

std::string writingCaption() {
    return "Writing Program Data to " + std::string(product);
}

} // namespace texts

namespace {

using Put = ProgressWords::Put;

const std::string product(texts::product);

std::string retrying(const std::string& warning) {
    return warning + std::string(StatusText::lineBreak) + "Retrying...";
}

std::string writingManualLine(int manual) {
    return "Writing " + product + " Program Data to Manual #" + std::to_string(manual) + "...";
}

std::vector<ProgressWords> finishedWords(TransferKind kind, LoadPurpose purpose) {
    switch (kind) {
    case TransferKind::load:
        if (purpose == LoadPurpose::edit)
            return {{Put::line, product + " Configuration data loaded!"}, {Put::line, "Ready."}};
        return {{Put::line, product + " Configuration data read."}};
    case TransferKind::write:
        return {{Put::line, product + " Configuration data written!"}};
    case TransferKind::file:
        return {{Put::line, product + " Configuration data loaded from file!"}, {Put::line, "Ready."}};
    default:
        return {};
    }
}

std::string retryWarning(TransferState waitingIn) {
    if (waitingIn == TransferState::cablingCheck)
        return "Make sure your " + product +
               " is on and the output of your MIDI device chain is connected to the MIDI-IN of your PC.";
    return "Check your MIDI connections and make sure that your " + product + " is turned on!";
}

} // namespace

std::string chainCountedLine(const ChainCount& count) {
    return count.valid ? "Number of manuals detected = " + std::to_string(count.boards)
                       : std::string("Invalid number of manuals detected!");
}

std::string leftBehind(TransferKind kind, const WriteTally& tally) {
    if (kind != TransferKind::write)
        return "Nothing was loaded; the configuration is as it was.";
    return writeSummary(tally.written, tally.uncertain, tally.covered);
}

std::string cancelledText(TransferKind kind, const WriteTally& tally) {
    return "Cancelled. " + leftBehind(kind, tally);
}

std::string failureReason(const TransferFailure& failure) {
    switch (failure.what) {
    case TransferFailure::What::cannotEncode:
        return "Nothing was sent to the " + product + ": " + failure.detail;
    case TransferFailure::What::cannotEncodeManual:
        return "Writing stopped before manual " + std::to_string(failure.manual) + ": " + failure.detail;
    case TransferFailure::What::deviceGone:
        return "The " + failure.detail + " is gone (unplugged, switched off, or its program ended). " +
               leftBehind(failure.kind, failure.tally);
    case TransferFailure::What::portsWouldNotOpen:
        return failure.detail + " " + leftBehind(failure.kind, failure.tally);
    case TransferFailure::What::sendRefused:
        return "Sending to the " + product + " failed: " + failure.detail + " " +
               leftBehind(failure.kind, failure.tally);
    }
    return failure.detail;
}

std::vector<ProgressWords> wordsOf(const TransferProgress& progress) {
    using Step = TransferProgress::Step;
    switch (progress.step) {
    case Step::loadStarted:
        return {{Put::caption, texts::loadingCaption()},
                {Put::replace, "Requesting " + product + " Configuration.."}};
    case Step::writeAsked:
        return {{Put::caption, texts::writingCaption()}};
    case Step::writeStarted:
        return {{Put::replace, "Requesting " + product + " Global Configuration.."}};
    case Step::chainCounted:
        return {{Put::line, chainCountedLine(progress.count)}};
    case Step::stepBegun:
        return {{Put::caption,
                 progress.kind == TransferKind::load ? texts::loadingCaption() : texts::writingCaption()}};
    case Step::manualRequested:
        return {{Put::line, "Requesting " + product + " Program Data from Manual #" +
                                std::to_string(progress.manual) + "..."},
                {Put::caption, texts::loadingCaption()}};
    case Step::requestSent:
    case Step::identityAnswered:
        return {{Put::append, " ok"}};
    case Step::writingFirstManual:
        return {{Put::line, writingManualLine(progress.manual) + " ok"}};
    case Step::writingManual:
        return {{Put::line, writingManualLine(progress.manual)}};
    case Step::lastMessageSent:
        return {{Put::append, "Done."}};
    case Step::deviceSubstituted:
        return {{Put::line, progress.detail}};
    case Step::retryWarning:
        return {{Put::replace, retrying(retryWarning(progress.waitingIn))}};
    case Step::manualSilent:
        return {{Put::replace,
                 retrying("Manual #" + std::to_string(progress.manual) + " of your " + product +
                          " does not send its program data. Make sure it is turned on and connected.")}};
    case Step::cancelling:
        return {{Put::line, progress.manual == 0 ? std::string("Cancelling...")
                                                 : "Cancelling: manual " + std::to_string(progress.manual) +
                                                       " is being written to its end first..."}};
    case Step::cancelled:
        return {{Put::line, cancelledText(progress.kind, progress.tally)}};
    case Step::failed:
        return {{Put::replace, failureReason(progress.failure)}};
    case Step::finished:
        return finishedWords(progress.kind, progress.purpose);
    }
    return {};
}

} // namespace zkt
