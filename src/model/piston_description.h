#pragma once
// The one-line description of a piston's assignment, shown as its button's tool-tip and in
// reports, and the detail that the line leaves out.

#include "model/config_model.h"

#include <string>

namespace zkt {

// Empty for an unassigned piston and for groups outside the vocabulary.
std::string describePiston(const pistonInfo& piston);

// describePiston, or where that is empty what the piston is instead: "Unassigned", or
// "function group 15" for a group outside the vocabulary.
std::string pistonFunctionText(const pistonInfo& piston);

// Which coupler, general, tremulant, cancel or PLEXO function; the note by its name; the bank
// values; the LARKMOOR CASE and NUM by their names; the channel a line without one sends on.
// Empty where the group has nothing more to say.
std::string describePistonDetail(const pistonInfo& piston);

// pistonFunctionText with the detail in brackets after it, where there is one: a piston in
// one line, as reports of changes name it.
std::string pistonFunctionWithDetail(const pistonInfo& piston);

} // namespace zkt
