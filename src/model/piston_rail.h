#pragma once
// Where the 20 thumb pistons of a manual sit on their rail. The gaps between them part the
// groups that consoles have under a keyboard; the window draws the rail from these positions
// and the printed chart lists the pistons by the same groups.

#include "model/config_model.h"

#include <array>
#include <vector>

namespace zkt {

// Left edge of each piston in twips from the rail's left edge, piston 1 first.
inline constexpr std::array<int, pistonsPerManual> pistonRailLeftTwips = {
    540,  1260, 1620, 1980, 2340, 2700, 3420, 4140, 4500, 4860,
    5220, 5580, 6300, 6660, 7380, 7740, 8100, 8460, 8820, 9540,
};

// Pistons closer than this to their left neighbour belong to its group.
inline constexpr int pistonRailPitchTwips = 360;

struct PistonGroup {
    int first; // piston within the manual, 0..19
    int last;  // inclusive

    bool operator==(const PistonGroup&) const = default;
};

// The groups from left to right; together they hold every piston once.
std::vector<PistonGroup> pistonRailGroups();

} // namespace zkt
