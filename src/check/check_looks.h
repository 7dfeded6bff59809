#pragma once
// How a key and a piston of the check look as it goes, the same in every front end: a key is not
// expected (it sends nothing), waiting, played, or held down now; a piston is not checked,
// waiting, ticked off, passed over when asked for (Skip), or lit while its note sounds and for a
// moment after each press.

#include "check/console_check.h"

#include <chrono>

namespace zkt {

enum class KeyLook { notExpected, waiting, played, held };
enum class PistonLook { off, waiting, ticked, skipped, lit };

// How long a piston stays lit after a press.
inline constexpr std::chrono::milliseconds pistonFlash{300};

inline KeyLook keyLook(const KeyProgress& key) {
    return key.sounding > 0 ? KeyLook::held
           : !key.expected  ? KeyLook::notExpected
           : key.played     ? KeyLook::played
                            : KeyLook::waiting;
}

inline bool pistonTicked(const PistonProgress& piston) {
    return piston.presses > 0 || piston.answer.has_value();
}

inline PistonLook pistonLook(PistonCheck check, const PistonProgress& piston, bool flashing) {
    if (check == PistonCheck::notChecked)
        return PistonLook::off;
    if (piston.sounding || flashing)
        return PistonLook::lit;
    return pistonTicked(piston) ? PistonLook::ticked : piston.skipped ? PistonLook::skipped : PistonLook::waiting;
}

} // namespace zkt
