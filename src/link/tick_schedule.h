#pragma once
// When the next 100 ms tick of the transfers should run, for every front end's timer. A timer
// wakes a little late at random; a write message due 600 ms after the previous one would then miss its
// tick about every other time and wait a whole tick more. So a tick that finds the next send due
// within a few milliseconds waits for it, and the ticks after it keep step with that send.

#include "link/clock.h"

#include <optional>

namespace zkt {

class TickSchedule {
public:
    static constexpr Micros holdLimit{5'000};

    // At a tick's time: how much longer to wait for a send due within the hold limit, if any.
    std::optional<Micros> holdFor(Micros now, Micros sendableAt);
    // After a tick: how long until the next. A front end kept waiting (a page in the background,
    // say) gets its next tick at once, not a burst of the ticks it missed.
    Micros untilNext(Micros now);

private:
    // When the tick that ran last was due.
    std::optional<Micros> m_due;
};

} // namespace zkt
