#include "model/piston_rail.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

// A gap wider than the pitch starts a group; single pistons stand at the ends and between.
TEST(PistonRail, GroupsAreTheRunsBetweenTheWideGaps) {
    const std::vector<PistonGroup> expected = {{0, 0}, {1, 5}, {6, 6}, {7, 11}, {12, 13}, {14, 18}, {19, 19}};
    EXPECT_EQ(pistonRailGroups(), expected);
}

} // namespace
} // namespace zkt
