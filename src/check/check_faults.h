#pragma once
// What the console check finds wrong, each with the keys, pistons or shoes it concerns (none
// for a message the configuration does not send) and its words.

#include "check/console_plan.h"

#include <string>
#include <vector>

namespace zkt {

enum class CheckFaultKind {
    // Something on the checklist that never came: the check is not finished.
    keyNeverPlayed,
    pistonNeverPressed,
    shoeNeverMoved,
    // Something that came wrong.
    noteStillSounding,
    noteHeldTooLong,
    releaseOfSilentNote, // a Note On with velocity 0 for a note that was not sounding
    wrongVelocity,
    pistonSentOther,
    shoeRangeShort, // moved, but never to 0 or never to 127
    notSent,        // nothing in the configuration sends it
};

struct CheckFault {
    CheckFaultKind kind = CheckFaultKind::notSent;
    std::vector<ConsoleSource> sources;
    std::string text;
    int count = 1; // the same fault again adds to it

    // Whether it only says that something was not played yet.
    bool unfinished() const {
        return kind == CheckFaultKind::keyNeverPlayed || kind == CheckFaultKind::pistonNeverPressed ||
               kind == CheckFaultKind::shoeNeverMoved;
    }
};

enum class CheckVerdict {
    passed,      // everything followed was seen, and nothing was wrong
    faultsFound, // something came wrong
    unfinished,  // nothing came wrong, but not everything came
};

} // namespace zkt
