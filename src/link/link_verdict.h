#pragma once
// The connection test's conclusion in plain words, from what came back (link_report.h).

#include "link/link_report.h"

#include <string>

namespace zkt {

enum class LinkVerdict {
    fine,
    outputFailed,     // the output stopped taking messages
    nothingBack,      // the loop is open, or the wrong ports are chosen
    noMcu,            // messages come back without passing an MCU
    invalidCount,     // the tag came back with a count no chain gives
    longMessagesLost, // up to some length everything is fine, beyond it nothing is
    messagesLost,     // lost or damaged at every length
    tagLost,          // test messages come back, the tag does not
};

struct Verdict {
    LinkVerdict kind = LinkVerdict::fine;
    std::string text;

    bool problemFound() const { return kind != LinkVerdict::fine; }
};

Verdict judgeLink(const LinkReport& report);

// "3", "none (no tag came back)", "none (the tag came back with count 0)".
std::string mcusCountedText(const LinkReport& report);

} // namespace zkt
