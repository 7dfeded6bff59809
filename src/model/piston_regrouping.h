#pragma once
// What a piston's inputs start from when the piston editor's user chooses another function for
// it: this piston's channel, its value where the new function keeps the same value in the same
// field, and otherwise the lists' defaults; never values left from another piston.

#include "model/config_model.h"

namespace zkt {

// The piston itself for its own group. Fields the new group does not use keep the piston's
// values, as a switch has always left them.
pistonInfo startingAssignment(const pistonInfo& piston, int group);

} // namespace zkt
