// Each fault the check finds, named with its manual and key, piston or shoe.

#include "check_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zkt {
namespace {

using test::CheckRig;

struct Step {
    int waitMs = 0;
    std::vector<int> bytes; // empty: only the wait
};

struct FaultCase {
    const char* name;
    std::vector<Step> steps;
    bool finish;
    std::vector<std::string> faults; // among the check's, in this order
    std::vector<std::string> absent;
};

const std::string key14 = "Manual 1 (Great), key 14 (C#2), note 61 on MIDI Channel 2";

class FaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultTest, IsFoundAndNamed) {
    const FaultCase& c = GetParam();
    CheckRig rig;
    for (const Step& step : c.steps) {
        if (step.waitMs > 0)
            rig.wait(step.waitMs);
        if (!step.bytes.empty()) {
            const std::vector<std::uint8_t> bytes(step.bytes.begin(), step.bytes.end());
            rig.check.take(bytes);
        }
    }
    if (c.finish)
        rig.check.finish();
    const std::vector<std::string> faults = rig.faults();
    auto from = faults.begin();
    for (const std::string& expected : c.faults) {
        const auto found = std::find(from, faults.end(), expected);
        EXPECT_NE(found, faults.end()) << expected;
        from = found == faults.end() ? from : found;
    }
    for (const std::string& unexpected : c.absent)
        EXPECT_EQ(std::count(faults.begin(), faults.end(), unexpected), 0) << unexpected;
}

INSTANTIATE_TEST_SUITE_P(
    EachFault, FaultTest,
    ::testing::Values(
        FaultCase{
            "KeysNeverPlayed",
            {{0, {0x91, 61, 100}}, {0, {0x81, 61, 0}}},
            true,
            {"Manual 1 (Great), key 1 (C1): never played", "Manual 1 (Great), key 61 (C6): never played",
             "Manual 2 (Pedal), key 32 (G3): never played"},
            {"Manual 1 (Great), key 14 (C#2): never played", "Manual 2 (Pedal), key 33 (G#3): never played"}},
        FaultCase{"StillSoundingAtTheEnd",
                  {{0, {0x91, 61, 100}}},
                  true,
                  {key14 + ": still sounding at the end"},
                  {}},
        FaultCase{"HeldOverTenSeconds",
                  {{0, {0x91, 61, 100}}, {10'100, {}}, {0, {0x81, 61, 0}}},
                  false,
                  {key14 + ": held for more than 10 s"},
                  {key14 + ": still sounding at the end"}},
        FaultCase{"HeldTenSecondsIsFine",
                  {{0, {0x91, 61, 100}}, {9'900, {}}, {0, {0x81, 61, 0}}},
                  true,
                  {},
                  {key14 + ": held for more than 10 s"}},
        FaultCase{"VelocityZeroForANoteNotSounding",
                  {{0, {0x91, 61, 0}}},
                  false,
                  {key14 + ": a Note On with velocity 0 while the note was not sounding"},
                  {}},
        FaultCase{"VelocityZeroAsARelease",
                  {{0, {0x91, 61, 100}}, {0, {0x91, 61, 0}}},
                  false,
                  {},
                  {key14 + ": a Note On with velocity 0 while the note was not sounding"}},
        FaultCase{"FixedVelocityArrivingAsAnother",
                  {{0, {0x91, 61, 90}}, {0, {0x90, 49, 90}}},
                  false,
                  {key14 + ": velocity 90 instead of the fixed 100"},
                  {"Manual 1 (Great), key 14 (C#2), note 49 on MIDI Channel 1: velocity 90 instead of the "
                   "fixed 100"}},
        FaultCase{
            "PistonOnAnotherChannel",
            {{0, {0xC2, 4}}},
            true,
            {"Manual 1 (Great), piston 1: sent Program Change #5 on MIDI Channel 3 instead of Program Change "
             "#5 on MIDI Channel 1"},
            {"Manual 1 (Great), piston 1: never pressed (it sends Program Change #5 on MIDI Channel 1)",
             "not sent by this configuration: Program Change #5 on MIDI Channel 3"}},
        FaultCase{
            "BankSelectWithAnotherLsb",
            {{0, {0xB0, 0, 3}}, {0, {0xB0, 32, 6}}, {0, {0xC0, 8}}},
            false,
            {"Manual 1 (Great), piston 2: sent Bank Select MSB 3 on MIDI Channel 1, Bank Select LSB 6 on "
             "MIDI "
             "Channel 1 and Program Change #9 on MIDI Channel 1 instead of Bank Select on MIDI Channel 1 "
             "(MSB 3, LSB 5, program 9)"},
            {}},
        FaultCase{
            "PistonNeverPressed",
            {},
            true,
            {"Manual 1 (Great), piston 1: never pressed (it sends Program Change #5 on MIDI Channel 1)",
             "Manual 2 (Pedal), piston 1: never pressed (it sends Program Change #6 on MIDI Channel 3)"},
            {"Manual 1 (Great), piston 6: never pressed (it sends Ahlborn Coupler on MIDI Channel 1 (A to Pd "
             "coupler))"}},
        FaultCase{"ShoeShortOfItsRange",
                  {{0, {0xB0, 11, 12}}, {0, {0xB0, 11, 100}}, {0, {0xB2, 7, 0}}, {0, {0xB2, 7, 120}}},
                  true,
                  {"Manual 1 (Great), Input 1 (Expression (11) on MIDI Channel 1): went only from 12 to 100, "
                   "never to 0 or 127",
                   "Manual 2 (Pedal), Input 2 (Volume (7) on MIDI Channel 3): went only from 0 to 120, never "
                   "to 127"},
                  {}},
        FaultCase{"ShoeNeverMoved",
                  {},
                  true,
                  {"Manual 1 (Great), Input 1 (Expression (11) on MIDI Channel 1): never moved"},
                  {}},
        FaultCase{"NotSentByThisConfiguration",
                  {{0, {0xC3, 8}}},
                  false,
                  {"not sent by this configuration: Program Change #9 on MIDI Channel 4"},
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Verdict, PassedUnfinishedOrFaultsFound) {
    CheckRig clean(test::checkOrgan());
    clean.check.finish();
    EXPECT_EQ(clean.check.verdict(), CheckVerdict::unfinished) << "nothing was played";
    for (const CheckFault& fault : clean.check.faults())
        EXPECT_TRUE(fault.unfinished()) << fault.text;

    CheckRig wrong;
    wrong.send({0xC3, 8});
    wrong.check.finish();
    EXPECT_EQ(wrong.check.verdict(), CheckVerdict::faultsFound);

    ConfigModel silent;
    silent.numberOfManuals = 1;
    CheckRig nothingToPlay(silent);
    nothingToPlay.check.finish();
    EXPECT_EQ(nothingToPlay.check.verdict(), CheckVerdict::passed);
    nothingToPlay.send({0xC3, 8});
    EXPECT_EQ(nothingToPlay.check.messagesTaken(), 0u) << "a finished check takes nothing";
}

} // namespace
} // namespace zkt
