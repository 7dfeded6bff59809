// The pistons of the organ's own groups, asked for one at a time.

#include "check_rig.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::CheckRig;

TEST(Asking, EachPistonOfTheOrgansOwnGroupsInTurnTakingTheNextMessageAsItsAnswer) {
    CheckRig rig;
    rig.send({0x91, 61, 100}); // a key held from before
    EXPECT_EQ(rig.check.prompt(), "");
    rig.check.startAsking();
    EXPECT_EQ(rig.check.prompt(), "Press piston 6 of manual 1");

    rig.send({0xB0, 80, 127}); // what the coupler sends, and what comes with it
    rig.send({0xB0, 81, 0});
    EXPECT_EQ(rig.check.prompt(), "") << "no prompt while its answer may still grow";
    rig.wait(60);
    EXPECT_EQ(rig.check.prompt(), "Press piston 7 of manual 1");
    // The key let go and the shoe moved meanwhile are not the piston's.
    rig.send({0x91, 61, 0});
    rig.send({0xB0, 11, 0});
    rig.send({0xB0, 11, 127});
    EXPECT_EQ(rig.check.asked()->number, 7);
    EXPECT_EQ(rig.key(1, 14).sounding, 0);

    rig.check.skipAsked();
    EXPECT_EQ(rig.check.prompt(), "");
    EXPECT_FALSE(rig.check.asking()) << "no other piston is the organ's own";
    rig.check.finish();

    const ManualProgress& great = rig.check.progress(1);
    EXPECT_EQ(
        great.pistons[5].answer,
        "Control Change 80 on MIDI Channel 1, value 127 and Control Change 81 on MIDI Channel 1, value 0");
    EXPECT_TRUE(great.pistons[6].skipped);
    EXPECT_FALSE(great.pistons[6].answer);
    for (const CheckFault& fault : rig.check.faults())
        EXPECT_TRUE(fault.unfinished()) << fault.text;
    EXPECT_EQ(rig.check.verdict(), CheckVerdict::unfinished) << "the pistons asked for do not count";
}

TEST(Asking, AnAnswerOffThePistonsChannelIsAFaultAndALabelIsInThePrompt) {
    ConfigModel model = test::checkOrgan();
    model.names.pistonLabels[pistonIndexOf(0, 5)] = "Gt to Pd";
    CheckRig rig(model);
    rig.check.startAsking();
    EXPECT_EQ(rig.check.prompt(), "Press piston 6 of manual 1 (Gt to Pd)");
    rig.send({0xB2, 80, 127});
    rig.wait(60);
    rig.send({0xF0, 0x43, 0x10, 0xF7}); // LARKMOOR has no channel: anything is its answer
    EXPECT_EQ(rig.faults(),
              std::vector<std::string>{"Manual 1 (Great), piston 6 (Gt to Pd): sent Control Change 80 "
                                       "on MIDI Channel 3, value 127, not on its MIDI Channel 1"});
    rig.check.stopAsking();
    EXPECT_EQ(rig.check.progress(1).pistons[6].answer, "a message of 4 bytes (f0 43 10 f7)");
    EXPECT_FALSE(rig.check.asked());
}

} // namespace
} // namespace zkt
