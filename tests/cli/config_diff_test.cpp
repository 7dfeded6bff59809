#include "model/config_diff.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

ConfigModel twoManuals() {
    ConfigModel model;
    model.numberOfManuals = 2;
    model.keyboards[0].archiveChannel = 1;
    model.keyboards[1].archiveChannel = 1;
    return model;
}

TEST(ConfigDiff, EqualConfigurationsHaveNoDifferences) {
    EXPECT_TRUE(diffConfigurations(twoManuals(), twoManuals()).empty());
}

// Manuals beyond numberOfManuals are not part of the configuration.
TEST(ConfigDiff, IgnoresManualsThatAreNotInUse) {
    ConfigModel right = twoManuals();
    right.pistons[pistonIndexOf(3, 0)].functionGroup = 5;
    EXPECT_TRUE(diffConfigurations(twoManuals(), right).empty());
}

TEST(ConfigDiff, NamesManualRecordAndFieldOfEachChange) {
    ConfigModel right = twoManuals();
    right.pistons[pistonIndexOf(1, 4)].midiChannel = 4;
    right.shoes[channelSlotOf(0, 3)].expressionOn = true;
    right.channelVelocity[channelSlotOf(1, 16)] = 100;
    right.keyboards[1].keyboardConfig = 129;

    const auto differences = diffConfigurations(twoManuals(), right);
    std::vector<std::string> lines;
    for (const auto& difference : differences)
        lines.push_back(formatDifference(difference));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Manual 1, channel 3: shoe.expressionOn false -> true",
                         "Manual 2, keyboard: keyboardConfig 0 -> 129",
                         "Manual 2, channel 16: channelVelocity 128 -> 100",
                         "Manual 2, piston 5: midiChannel 0 -> 4",
                     }));
}

TEST(ConfigDiff, ReportsManualsOnlyOneSideHas) {
    ConfigModel left = twoManuals();
    left.numberOfManuals = 3;
    left.keyboards[2].archiveChannel = 1;
    const auto differences = diffConfigurations(left, twoManuals());
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_EQ(formatDifference(differences[0]), "numberOfManuals 3 -> 2");
    EXPECT_EQ(formatDifference(differences[1]), "Manual 3 present -> (absent)");
}

// A name or label is left out of the JSON where there is none; on one side only, it still differs.
TEST(ConfigDiff, NamesAndLabelsOnEitherSide) {
    ConfigModel named = twoManuals();
    named.names.manualNames[1] = "Swell";
    named.names.pistonLabels[pistonIndexOf(0, 2)] = "Tutti";
    named.names.compass[0] = 56;
    std::vector<std::string> lines;
    for (const auto& difference : diffConfigurations(twoManuals(), named))
        lines.push_back(formatDifference(difference));
    for (const auto& difference : diffConfigurations(named, twoManuals()))
        lines.push_back(formatDifference(difference));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Manual 1: compass (absent) -> 56",
                         "Manual 1, piston 3: label (absent) -> \"Tutti\"",
                         "Manual 2: name (absent) -> \"Swell\"",
                         "Manual 1: compass 56 -> (absent)",
                         "Manual 1, piston 3: label \"Tutti\" -> (absent)",
                         "Manual 2: name \"Swell\" -> (absent)",
                     }));
}

} // namespace
} // namespace zkt
