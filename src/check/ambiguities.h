#pragma once
// What the configuration makes ambiguous, said before the check starts: a channel enabled on two
// manuals, two pistons or two shoes sending the same, a Note On/Off piston sending a note that a
// key of the same channel sends. Whole sentences, in that order.

#include "check/console_plan.h"

#include <string>
#include <vector>

namespace zkt {

std::vector<std::string> checkAmbiguities(const ConsolePlan& plan);

} // namespace zkt
