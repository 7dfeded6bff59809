#include "link/transfer_words.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "link/status_text.h"
#include "link/write_summary.h"

namespace zkt {

namespace texts {

std::string loadingCaption() {
    return formatText(tr("Loading Program Data from %1"), product);
}

std::string writingCaption() {
    return formatText(tr("Writing Program Data to %1"), product);
}

} // namespace texts

namespace {

using Put = ProgressWords::Put;

using texts::product;

std::string retrying(const std::string& warning) {
    return warning + std::string(StatusText::lineBreak) + tr("Retrying...");
}

// What ends the line of a step that was answered.
std::string answered() {
    // TRANSLATORS: put at the end of the line of a step the organ answered; keep the space.
    return tr(" ok");
}

std::string writingManualLine(int manual) {
    return formatText(tr("Writing %1 Program Data to Manual #%2..."), product, manual);
}

std::vector<ProgressWords> finishedWords(TransferKind kind, LoadPurpose purpose) {
    switch (kind) {
    case TransferKind::load:
        if (purpose == LoadPurpose::edit)
            return {{Put::line, formatText(tr("%1 Configuration data loaded!"), product)}, {Put::line, tr("Ready.")}};
        return {{Put::line, formatText(tr("%1 Configuration data read."), product)}};
    case TransferKind::write:
        return {{Put::line, formatText(tr("%1 Configuration data written!"), product)}};
    case TransferKind::file:
        return {{Put::line, formatText(tr("%1 Configuration data loaded from file!"), product)},
                {Put::line, tr("Ready.")}};
    default:
        return {};
    }
}

std::string retryWarning(TransferState waitingIn) {
    if (waitingIn == TransferState::cablingCheck)
        return formatText(tr("Make sure your %1 is on and the output of your MIDI device chain is connected "
                             "to the MIDI-IN of your PC."),
                          product);
    return formatText(tr("Check your MIDI connections and make sure that your %1 is turned on!"), product);
}

} // namespace

std::string chainCountedLine(const ChainCount& count) {
    return count.valid ? formatText(tr("Number of manuals detected = %1"), count.boards)
                       : tr("Invalid number of manuals detected!");
}

std::string leftBehind(TransferKind kind, const WriteTally& tally) {
    if (kind != TransferKind::write)
        return tr("Nothing was loaded; the configuration is as it was.");
    return writeSummary(tally.written, tally.uncertain, tally.covered);
}

std::string cancelledText(TransferKind kind, const WriteTally& tally) {
    // TRANSLATORS: %1 says what the transfer leaves behind: a sentence of its own.
    return formatText(tr("Cancelled. %1"), leftBehind(kind, tally));
}

std::string failureReason(const TransferFailure& failure) {
    switch (failure.what) {
    case TransferFailure::What::cannotEncode:
        // TRANSLATORS: %2 is why the configuration cannot be encoded.
        return formatText(tr("Nothing was sent to the %1: %2"), product, failure.detail);
    case TransferFailure::What::cannotEncodeManual:
        // TRANSLATORS: %1 is the manual's number, %2 why its data cannot be encoded.
        return formatText(tr("Writing stopped before manual %1: %2"), failure.manual, failure.detail);
    case TransferFailure::What::deviceGone:
        // TRANSLATORS: %1 is the MIDI device's name; %2 says what the transfer leaves behind.
        return formatText(tr("The %1 is gone (unplugged, switched off, or its program ended). %2"),
                          failure.detail, leftBehind(failure.kind, failure.tally));
    case TransferFailure::What::portsWouldNotOpen:
        return failure.detail + " " + leftBehind(failure.kind, failure.tally);
    case TransferFailure::What::sendRefused:
        // TRANSLATORS: %2 is the port's reason, %3 what the transfer leaves behind.
        return formatText(tr("Sending to the %1 failed: %2 %3"), product, failure.detail,
                          leftBehind(failure.kind, failure.tally));
    }
    return failure.detail;
}

std::vector<ProgressWords> wordsOf(const TransferProgress& progress) {
    using Step = TransferProgress::Step;
    switch (progress.step) {
    case Step::loadStarted:
        return {{Put::caption, texts::loadingCaption()},
                {Put::replace, formatText(tr("Requesting %1 Configuration.."), product)}};
    case Step::writeAsked:
        return {{Put::caption, texts::writingCaption()}};
    case Step::writeStarted:
        return {{Put::replace, formatText(tr("Requesting %1 Global Configuration.."), product)}};
    case Step::chainCounted:
        return {{Put::line, chainCountedLine(progress.count)}};
    case Step::stepBegun:
        return {{Put::caption,
                 progress.kind == TransferKind::load ? texts::loadingCaption() : texts::writingCaption()}};
    case Step::manualRequested:
        return {{Put::line, formatText(tr("Requesting %1 Program Data from Manual #%2..."), product,
                                       progress.manual)},
                {Put::caption, texts::loadingCaption()}};
    case Step::requestSent:
    case Step::identityAnswered:
        return {{Put::append, answered()}};
    case Step::writingFirstManual:
        return {{Put::line, writingManualLine(progress.manual) + answered()}};
    case Step::writingManual:
        return {{Put::line, writingManualLine(progress.manual)}};
    case Step::lastMessageSent:
        return {{Put::append, tr("Done.")}};
    case Step::deviceSubstituted:
        return {{Put::line, progress.detail}};
    case Step::retryWarning:
        return {{Put::replace, retrying(retryWarning(progress.waitingIn))}};
    case Step::manualSilent:
        return {{Put::replace,
                 retrying(formatText(tr("Manual #%1 of your %2 does not send its program data. Make sure it "
                                        "is turned on and connected."),
                                     progress.manual, product))}};
    case Step::cancelling:
        return {{Put::line, progress.manual == 0
                                ? tr("Cancelling...")
                                : formatText(tr("Cancelling: manual %1 is being written to its end first..."),
                                             progress.manual)}};
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
