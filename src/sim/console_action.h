#pragma once
// One thing done at a simulated console: a key or piston pressed or let go, a shoe moved to a
// value, or bytes of one's own choosing sent from a manual's board (for faults the image could
// never give).

#include "model/bytes.h"

namespace zkt {

struct ConsoleAction {
    enum class Kind { pressKey, releaseKey, pressPiston, releasePiston, moveShoe, send };

    Kind kind = Kind::pressKey;
    int manual = 1;  // 1..5: the board that sends
    int number = 1;  // key (1 = the lowest), piston 1..20, or analog input 1..3
    int value = 100; // a key's velocity where its channel senses it; a shoe's value 0..127
    Bytes bytes;     // what Kind::send sends

    bool operator==(const ConsoleAction&) const = default;
};

} // namespace zkt
