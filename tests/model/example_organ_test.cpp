#include "model/example_organ.h"

#include "model/config_file.h"
#include "model/piston_description.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <set>

namespace zkt {
namespace {

TEST(ExampleOrgan, EveryManualCountSurvivesAFileRoundTrip) {
    for (int manuals = 1; manuals <= maxManuals; ++manuals) {
        SCOPED_TRACE(manuals);
        const ConfigModel organ = exampleOrgan(manuals);
        EXPECT_EQ(organ.numberOfManuals, manuals);
        test::TempFolder folder;
        writeConfigurationFile(folder.file("organ.zkt"), organ);
        ConfigModel loaded;
        readConfigurationFile(folder.file("organ.zkt"), loaded);
        EXPECT_EQ(loaded, organ);
    }
    EXPECT_THROW(exampleOrgan(0), std::out_of_range);
    EXPECT_THROW(exampleOrgan(6), std::out_of_range);
}

TEST(ExampleOrgan, ShowsEveryKindOfPiston) {
    const ConfigModel organ = exampleOrgan(3);
    std::set<int> groups;
    for (int k = 0; k < pistonsPerManual; ++k) {
        groups.insert(organ.pistons[static_cast<std::size_t>(pistonIndexOf(1, k))].functionGroup);
    }
    EXPECT_EQ(groups, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14}));
    EXPECT_EQ(describePiston(organ.pistons[pistonIndexOf(0, 0)]), "Ahlborn SET on MIDI Channel 1");
    EXPECT_EQ(describePiston(organ.pistons[pistonIndexOf(2, 19)]), "Ahlborn Cancel on MIDI Channel 3");
    EXPECT_EQ(organ.pistons[pistonIndexOf(2, 19)].functionType, 0); // General Cancel
}

// The bundled example must be what the program writes today; regenerate it from
// exampleOrgan(3) when the example changes.
TEST(ExampleOrgan, BundledFileMatchesAFreshEncoding) {
    const std::string bundled = test::readWholeFile(ZKT_SOURCE_DIR "/examples/three-manuals.zkt");
    EXPECT_EQ(bundled, configurationText(exampleOrgan(3)));
}

} // namespace
} // namespace zkt
