#pragma once
// The console played on the screen: while the simulated chain is the MIDI input, a key or a
// piston clicked in the console check is pressed and let go on it, so the check can be tried
// without an organ. The port layer decides whether it hears, and plays.

#include "sim/console_action.h"

#include <functional>

namespace zkt {

struct ConsolePlayer {
    std::function<bool()> heard; // whether the simulated chain is the input listened to
    std::function<void(const ConsoleAction&)> play;
};

} // namespace zkt
