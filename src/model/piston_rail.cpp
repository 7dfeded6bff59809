#include "model/piston_rail.h"

namespace zkt {

std::vector<PistonGroup> pistonRailGroups() {
    std::vector<PistonGroup> groups{{0, 0}};
    for (int k = 1; k < pistonsPerManual; ++k) {
        if (pistonRailLeftTwips[k] - pistonRailLeftTwips[k - 1] > pistonRailPitchTwips)
            groups.push_back({k, k});
        else
            groups.back().last = k;
    }
    return groups;
}

} // namespace zkt
