#include "link/link_verdict.h"

#include "link/protocol.h"
#include "model/config_model.h"

#include <algorithm>

namespace zkt {

namespace {

using protocol::chunkResponseLength;
using protocol::programUpdateLength;
using protocol::wholeImageResponseLength;

const std::string tryAnotherInterface =
    " Check the MIDI cables and plugs along the loop, and try another MIDI interface.";

std::string mcus(int count) {
    return std::to_string(count) + (count == 1 ? " MCU" : " MCUs");
}

bool clean(const LengthResult& row) {
    return row.intact == row.sent;
}

std::string lostOrDamaged(int lost, int corrupted) {
    if (corrupted == 0)
        return "lost";
    return lost == 0 ? "damaged" : "lost or damaged";
}

// What a limit on the message length means for the program's own messages.
std::string consequenceOfLimit(std::size_t longestIntact) {
    if (longestIntact < chunkResponseLength)
        return " Loads and writes cannot work: the MCUs answer in messages of " +
               std::to_string(chunkResponseLength) + " bytes and writes send " +
               std::to_string(programUpdateLength) + ".";
    if (longestIntact < programUpdateLength)
        return " Writes cannot work: they send messages of " + std::to_string(programUpdateLength) +
               " bytes.";
    if (longestIntact < wholeImageResponseLength)
        return " Loads and writes may work, but not with MCUs that send a whole manual in one message of " +
               std::to_string(wholeImageResponseLength) + " bytes.";
    return " The program's own messages, at most " + std::to_string(wholeImageResponseLength) +
           " bytes long, get through.";
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
    return Verdict{LinkVerdict::longMessagesLost,
                   "Long messages are " + how + ": every test message of up to " + std::to_string(longest) +
                       " bytes came back intact, but messages longer than " + std::to_string(longest) +
                       " bytes are " + how +
                       ". The MIDI interface drops long SysEx messages: use another one." +
                       consequenceOfLimit(longest)};
}

std::optional<Verdict> lossAtEveryLength(const LinkReport& report) {
    const int lost = report.loopbacksLost();
    const int corrupted = report.loopbacksCorrupted();
    if (lost == 0 && corrupted == 0)
        return std::nullopt;
    const std::string sent = std::to_string(report.loopbacksSent());
    std::string what;
    if (lost > 0)
        what = std::to_string(lost) + " of " + sent + " test messages did not come back";
    if (corrupted > 0)
        what += (what.empty() ? std::to_string(corrupted) + " of " + sent + " test messages"
                              : " and " + std::to_string(corrupted)) +
                " came back changed";
    const std::string how = lost == 0 ? "damaged" : corrupted == 0 ? "lost" : "lost and damaged";
    // The first tag came back and a later one did not.
    const std::string broke =
        report.tagsReturned > 0 && report.tagsReturned < report.tagsSent
            ? " The loop stopped answering during the test: look for a loose plug or an "
              "MCU that lost its power."
            : "";
    return Verdict{LinkVerdict::messagesLost, "Messages are " + how +
                                                  " on the way, short ones as well as long ones: " + what +
                                                  "." + broke + tryAnotherInterface};
}

std::string strayNote(const LinkReport& report) {
    if (report.strayMessages == 0)
        return {};
    // Appended rather than prefixed to a temporary: GCC 12 at -O3 takes " " + std::string for an
    // overlapping copy (a false -Wrestrict inside the standard library).
    std::string note = " ";
    note += std::to_string(report.strayMessages);
    note += " further messages arrived that the test did not send, or arrived twice: something else sends "
            "to this input, or a MIDI thru doubles the loop.";
    return note;
}

std::size_t longestLength(const LinkReport& report) {
    return report.lengths.empty() ? 0 : report.lengths.back().length;
}

} // namespace

std::string mcusCountedText(const LinkReport& report) {
    if (!report.returnedTagCount)
        return "none (no tag came back)";
    const int count = *report.mcuCount();
    if (count < 0 || count > maxManuals)
        return "none (the tag came back with count " + std::to_string(*report.returnedTagCount) + ")";
    return std::to_string(count);
}

Verdict judgeLink(const LinkReport& report) {
    if (!report.outputError.empty())
        return {LinkVerdict::outputFailed,
                "The MIDI output failed: " + report.outputError +
                    ". Check that the MIDI interface is plugged in and that the right "
                    "ports are chosen."};
    const int loopbacksBack = report.loopbacksSent() - report.loopbacksLost();
    if (report.tagsReturned == 0 && loopbacksBack == 0 && report.strayMessages == 0)
        return {LinkVerdict::nothingBack,
                "Nothing comes back. Check the cable from the last MCU's MIDI OUT to the computer's MIDI IN, "
                "that every MCU is switched on, and that the right ports are chosen."};
    if (const auto count = report.mcuCount()) {
        if (*count == 0)
            return {LinkVerdict::noMcu,
                    "Messages come back, but no MCU counts the tag: the MCUs are off or bypassed. The "
                    "computer's MIDI OUT reaches its MIDI IN without passing an MCU (a MIDI thru, or the "
                    "interface's OUT cabled to its IN)."};
        if (*count < 0 || *count > maxManuals)
            return {LinkVerdict::invalidCount, "Messages come back, but the tag came back with count " +
                                                   std::to_string(*report.returnedTagCount) +
                                                   ", which no chain of 1 to " + std::to_string(maxManuals) +
                                                   " MCUs gives: something in the loop changes messages." +
                                                   tryAnotherInterface};
    }
    if (auto limit = lengthLimit(report))
        return *limit;
    if (auto loss = lossAtEveryLength(report))
        return *loss;
    if (!report.mcuCount())
        return {LinkVerdict::tagLost,
                "The test messages come back, but the tag does not, so the MCUs could not "
                "be counted. Switch the MCUs off and on again and repeat the test."};
    return {LinkVerdict::fine,
            "The loop is fine: " + mcus(*report.mcuCount()) + " counted, and every test message, up to " +
                std::to_string(longestLength(report)) + " bytes long, came back intact." + strayNote(report)};
}

} // namespace zkt
