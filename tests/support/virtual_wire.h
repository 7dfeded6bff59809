#pragma once
// Runs the simulated chain's wire in virtual time: every event is handled at its own instant,
// and what reached the computer is handed over right after each delivery.

#include "link/clock.h"
#include "sim/simulated_chain.h"

#include <optional>

namespace zkt::test {

// Up to `until` (the clock ends there), or until nothing is pending when until is empty.
template <typename Drain>
void runWire(ManualClock& clock, SimulatedChain& chain, std::optional<Micros> until, Drain drain) {
    while (const auto next = chain.nextEventTime()) {
        if (until && *next > *until)
            break;
        if (*next > clock.now())
            clock.advance(*next - clock.now());
        chain.advance();
        drain();
    }
    if (until && *until > clock.now()) {
        clock.advance(*until - clock.now());
        chain.advance();
        drain();
    }
}

} // namespace zkt::test
