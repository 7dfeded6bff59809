#pragma once
// The one-line description of a piston's assignment, shown as its button's tool-tip and in
// reports.

#include "model/config_model.h"

#include <string>

namespace zkt {

// Empty for an unassigned piston and for groups outside the vocabulary.
std::string describePiston(const pistonInfo& piston);

} // namespace zkt
