#pragma once
// What changed during a console check, for a front end to draw: it reads the new state from the
// check (progress, faults, prompt) as each event names it.

#include <cstddef>
#include <variant>

namespace zkt {

struct KeyChanged {
    int manual = 1;
    int key = 1;
};
// A press arrived, or a Note On/Off piston's note started or ended.
struct PistonChanged {
    int manual = 1;
    int piston = 1;
};
struct ShoeChanged {
    int manual = 1;
    int input = 1;
};
// faults()[index] is new, or came again (its count grew).
struct FaultAdded {
    std::size_t index = 0;
};
// Another piston is asked for, or none any more.
struct PromptChanged {};

using CheckEvent = std::variant<KeyChanged, PistonChanged, ShoeChanged, FaultAdded, PromptChanged>;

} // namespace zkt
