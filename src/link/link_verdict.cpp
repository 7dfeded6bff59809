#include "link/link_verdict.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"
#include "link/protocol.h"
#include "model/config_model.h"

#include <algorithm>

namespace zkt {

namespace {

using protocol::chunkResponseLength;
using protocol::programUpdateLength;
using protocol::wholeImageResponseLength;

std::string tryAnotherInterface() {
    return " " + tr("Check the MIDI cables and plugs along the loop, and try another MIDI interface.");
}

std::string mcus(int count) {
    return formatText(trn("%1 MCU", "%1 MCUs", static_cast<unsigned long>(count)), count);
}

bool clean(const LengthResult& row) {
    return row.intact == row.sent;
}

std::string lostOrDamaged(int lost, int corrupted) {
    // TRANSLATORS: what happened to long messages ("Long messages are lost").
    if (corrupted == 0)
        return tr("messages are", "lost");
    return lost == 0 ? tr("messages are", "damaged") : tr("messages are", "lost or damaged");
}

// What a limit on the message length means for the program's own messages.
std::string consequenceOfLimit(std::size_t longestIntact) {
    if (longestIntact < chunkResponseLength)
        return " " +
               formatText(tr("Loads and writes cannot work: the MCUs answer in messages of %1 bytes and "
                             "writes send %2."),
                          chunkResponseLength, programUpdateLength);
    if (longestIntact < programUpdateLength)
        return " " +
               formatText(tr("Writes cannot work: they send messages of %1 bytes."), programUpdateLength);
    if (longestIntact < wholeImageResponseLength)
        return " " +
               formatText(tr("Loads and writes may work, but not with MCUs that send a whole manual in one "
                             "message of %1 bytes."),
                          wholeImageResponseLength);
    return " " + formatText(tr("The program's own messages, at most %1 bytes long, get through."),
                            wholeImageResponseLength);
}

// Everything up to some length came back whole and every longer length had trouble, while the
// short tags kept coming back to the end.
std::optional<Verdict> lengthLimit(const LinkReport& report) {
    if (report.tagsReturned < report.tagsSent)
        return std::nullopt;
    const auto& rows = report.lengths;
    const auto firstFailing =
        std::find_if(rows.begin(), rows.end(), [](const LengthResult& r) { return !clean(r); });
    if (firstFailing == rows.begin() || firstFailing == rows.end())
        return std::nullopt;
    if (!std::none_of(firstFailing, rows.end(), clean))
        return std::nullopt;
    int lost = 0;
    int corrupted = 0;
    for (auto row = firstFailing; row != rows.end(); ++row) {
        lost += row->lost();
        corrupted += row->corrupted;
    }
    const std::size_t longest = std::prev(firstFailing)->length;
    const std::string how = lostOrDamaged(lost, corrupted);
    // TRANSLATORS: %1 is what happened to them ("lost"), %2 the longest length that came back.
    return Verdict{
        LinkVerdict::longMessagesLost,
        formatText(tr("Long messages are %1: every test message of up to %2 bytes came back intact, but "
                      "messages longer than %2 bytes are %1. The MIDI interface drops long SysEx "
                      "messages: use another one."),
                   how, longest) +
            consequenceOfLimit(longest)};
}

std::optional<Verdict> lossAtEveryLength(const LinkReport& report) {
    const int lost = report.loopbacksLost();
    const int corrupted = report.loopbacksCorrupted();
    if (lost == 0 && corrupted == 0)
        return std::nullopt;
    const int sent = report.loopbacksSent();
    std::string what;
    if (corrupted == 0)
        what = formatText(tr("%1 of %2 test messages did not come back"), lost, sent);
    else if (lost == 0)
        what = formatText(tr("%1 of %2 test messages came back changed"), corrupted, sent);
    else
        what = formatText(tr("%1 of %2 test messages did not come back and %3 came back changed"), lost, sent,
                          corrupted);
    const std::string how = lost == 0        ? tr("messages are", "damaged")
                            : corrupted == 0 ? tr("messages are", "lost")
                                             : tr("messages are", "lost and damaged");
    // The first tag came back and a later one did not.
    const std::string broke =
        report.tagsReturned > 0 && report.tagsReturned < report.tagsSent
            ? " " +
                  tr("The loop stopped answering during the test: look for a loose plug or an MCU that lost "
                     "its power.")
            : "";
    // TRANSLATORS: %1 is what happens to them ("lost"), %2 how many ("3 of 40 test messages did not
    // come back").
    return Verdict{
        LinkVerdict::messagesLost,
        formatText(tr("Messages are %1 on the way, short ones as well as long ones: %2."), how, what) +
            broke + tryAnotherInterface()};
}

std::string strayNote(const LinkReport& report) {
    if (report.strayMessages == 0)
        return {};
    // Appended rather than prefixed to a temporary: GCC 12 at -O3 takes " " + std::string for an
    // overlapping copy (a false -Wrestrict inside the standard library).
    std::string note = " ";
    note +=
        formatText(trn("%1 further message arrived that the test did not send, or arrived twice: something "
                       "else sends to this input, or a MIDI thru doubles the loop.",
                       "%1 further messages arrived that the test did not send, or arrived twice: something "
                       "else sends to this input, or a MIDI thru doubles the loop.",
                       static_cast<unsigned long>(report.strayMessages)),
                   report.strayMessages);
    return note;
}

std::size_t longestLength(const LinkReport& report) {
    return report.lengths.empty() ? 0 : report.lengths.back().length;
}

} // namespace

std::string mcusCountedText(const LinkReport& report) {
    if (!report.returnedTagCount)
        return tr("none (no tag came back)");
    const int count = *report.mcuCount();
    if (count < 0 || count > maxManuals)
        return formatText(tr("none (the tag came back with count %1)"), *report.returnedTagCount);
    return std::to_string(count);
}

Verdict judgeLink(const LinkReport& report) {
    if (!report.outputError.empty())
        return {LinkVerdict::outputFailed,
                formatText(
                    tr("The MIDI output failed: %1. Check that the MIDI interface is plugged in and that the "
                       "right ports are chosen."),
                    report.outputError)};
    const int loopbacksBack = report.loopbacksSent() - report.loopbacksLost();
    if (report.tagsReturned == 0 && loopbacksBack == 0 && report.strayMessages == 0)
        return {
            LinkVerdict::nothingBack,
            tr("Nothing comes back. Check the cable from the last MCU's MIDI OUT to the computer's MIDI IN, "
               "that every MCU is switched on, and that the right ports are chosen.")};
    if (const auto count = report.mcuCount()) {
        if (*count == 0)
            return {LinkVerdict::noMcu,
                    tr("Messages come back, but no MCU counts the tag: the MCUs are off or bypassed. The "
                       "computer's MIDI OUT reaches its MIDI IN without passing an MCU (a MIDI thru, or the "
                       "interface's OUT cabled to its IN).")};
        if (*count < 0 || *count > maxManuals)
            return {LinkVerdict::invalidCount,
                    formatText(
                        tr("Messages come back, but the tag came back with count %1, which no chain of 1 to "
                           "%2 MCUs gives: something in the loop changes messages."),
                        *report.returnedTagCount, maxManuals) +
                        tryAnotherInterface()};
    }
    if (auto limit = lengthLimit(report))
        return *limit;
    if (auto loss = lossAtEveryLength(report))
        return *loss;
    if (!report.mcuCount())
        return {LinkVerdict::tagLost, tr("The test messages come back, but the tag does not, so the MCUs "
                                         "could not be counted. Switch the "
                                         "MCUs off and on again and repeat the test.")};
    // TRANSLATORS: %1 is how many MCUs ("3 MCUs"), %2 the longest test message.
    return {
        LinkVerdict::fine,
        formatText(tr("The loop is fine: %1 counted, and every test message, up to %2 bytes long, came back "
                      "intact."),
                   mcus(*report.mcuCount()), longestLength(report)) +
            strayNote(report)};
}

} // namespace zkt
