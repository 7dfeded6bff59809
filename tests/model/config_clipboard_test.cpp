// What copy and paste carry between manuals, the names of undo steps, and which part of the
// model an undo puts back.

#include "model/config_clipboard.h"
#include "model/edit_step_texts.h"
#include "model/example_organ.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

constexpr std::size_t slot(int manualIndex, int midiChannel) {
    return static_cast<std::size_t>(channelSlotOf(manualIndex, midiChannel));
}

TEST(ConfigClipboard, EachPasteTakesOnlyWhatItsCopyHeld) {
    ConfigModel model = exampleOrgan(3);
    model.channelTranspose[slot(0, 16)] = 200;
    const ConfigModel original = model;
    ConfigClipboard clipboard;
    EXPECT_FALSE(clipboard.holdsPiston() || clipboard.holdsManualSettings() || clipboard.holdsManual());
    clipboard.pasteManual(model, 2);
    EXPECT_EQ(model, original) << "nothing copied, nothing pasted";

    clipboard.copyManualSettings(model, 0);
    EXPECT_FALSE(clipboard.holdsManual());
    clipboard.pasteManual(model, 2);
    EXPECT_EQ(model, original) << "settings alone are no manual";
    clipboard.pasteManualSettings(model, 2);
    EXPECT_EQ(model.keyboards[2], original.keyboards[0]);
    EXPECT_EQ(model.channelTranspose[slot(2, 16)], 200);
    EXPECT_EQ(model.shoes[slot(2, 5)], original.shoes[slot(0, 5)]);
    EXPECT_EQ(model.pistons[pistonIndexOf(2, 4)], original.pistons[pistonIndexOf(2, 4)]) << "pistons stay";

    clipboard.copyManual(original, 1);
    EXPECT_TRUE(clipboard.holdsManualSettings());
    EXPECT_EQ(clipboard.copiedManualIndex(), 1);
    clipboard.pasteManual(model, 2);
    for (int k = 0; k < pistonsPerManual; ++k)
        EXPECT_EQ(model.pistons[pistonIndexOf(2, k)], original.pistons[pistonIndexOf(1, k)]) << k;
    EXPECT_EQ(model.channelVelocity[slot(2, 9)], original.channelVelocity[slot(1, 9)]);
    clipboard.copyManualSettings(model, 0);
    EXPECT_FALSE(clipboard.holdsManual()) << "the later copy replaces the whole manual";

    // Indices without a piston or a manual copy and paste nothing.
    const ConfigModel before = model;
    for (int index : {-1, 100, 32767}) {
        clipboard.copyPiston(model, index);
        clipboard.pastePiston(model, index);
    }
    EXPECT_FALSE(clipboard.holdsPiston());
    clipboard.copyPiston(model, 7);
    for (int index : {-1, maxManuals})
        clipboard.pasteManualSettings(model, index);
    clipboard.pastePiston(model, 100);
    EXPECT_EQ(model, before);
}

// The window's tests see the usual names; these are the ends and the pistons without a description.
TEST(EditStepTexts, NameAPistonThatDoesNothingOrSomethingUnknown) {
    EXPECT_EQ(pistonEditStep(99, pistonInfo{}), "Manual 5, piston 20: Unassigned");
    EXPECT_EQ(pistonPasteStep(0, {.functionGroup = 20}), "Paste onto Manual 1, piston 1: function group 20");
}

// An undo puts back the configuration; what the last identity reply said stays.
TEST(Configuration, ComparesAndReplacesTheRecordsButNotTheDeviceState) {
    ConfigModel shown = exampleOrgan(2);
    shown.hardwareType = 18;
    shown.firmwareVersion = "3.2";
    ConfigModel earlier = exampleOrgan(1);
    earlier.numberOfManuals = 1;
    EXPECT_FALSE(sameConfiguration(shown, earlier));
    ConfigModel sameRecords = shown;
    sameRecords.hardwareType = 0;
    sameRecords.firmwareVersion.clear();
    EXPECT_TRUE(sameConfiguration(shown, sameRecords));

    takeConfiguration(shown, earlier);
    EXPECT_TRUE(sameConfiguration(shown, earlier));
    EXPECT_EQ(shown.numberOfManuals, 1);
    EXPECT_EQ(shown.hardwareType, 18);
    EXPECT_EQ(shown.firmwareVersion, "3.2");
}

} // namespace
} // namespace zkt
