#pragma once
// The scripts `zktsim --play` plays at the simulated console: one step a line, each starting
// when the one before has ended; "#" starts a comment. Times are in milliseconds.
//
//   wait MS                                   let time pass
//   press M key K [velocity V]                key K of manual M down (the lowest key is 1;
//                                             V where the channel senses velocity, default 100)
//   release M key K                           and up again
//   press M piston P / release M piston P     thumb piston 1..20
//   tap M key K | keys K-L [velocity V] [hold MS] [gap MS]
//   tap M piston P | pistons P-Q [hold MS] [gap MS]
//                                             each pressed for hold (100) with gap (50) after it
//   sweep M input I FROM TO [over MS]         analog input 1..3 through FROM..TO (0..127),
//                                             one value at a time, in over (500) in all
//   send M HEX...                             one message of one's own from manual M's board:
//                                             a channel message or F0 .. F7
//
// What a step sends is what the board's image says (console_play.h).

#include "link/clock.h"
#include "sim/console_action.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zkt {

// "play.txt, line 3: piston 21 is not 1 to 20"
class PlayScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ScheduledAction {
    Micros at{0}; // from the start of the script
    ConsoleAction action;
    int line = 0; // where the script asks for it
};

// In the order they are due. name stands for the file in errors.
std::vector<ScheduledAction> parsePlayScript(std::string_view text, const std::string& name);
std::vector<ScheduledAction> readPlayScript(const std::string& path);

} // namespace zkt
