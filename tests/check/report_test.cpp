// The checklist and the report, as text and HTML; and a whole console played by the simulated
// chain, which a clean check passes.

#include "check/check_report.h"
#include "check/check_report_html.h"
#include "check_rig.h"
#include "model/example_organ.h"
#include "sim/simulated_chain.h"
#include "support/virtual_wire.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::CheckRig;

const CheckReportHeading heading{"organ.zkt", {2026, 5, 3, 14, 5}};

TEST(CheckReport, SaysWhatWasCheckedOnEachManualAndEveryFault) {
    CheckRig rig;
    rig.send({0x91, 61, 100});
    rig.send({0x81, 61, 0});
    rig.send({0xC0, 4});
    rig.send({0xB0, 11, 0});
    rig.send({0xB0, 11, 127});
    rig.send({0xC3, 8});
    rig.check.startAsking();
    rig.send({0xB0, 80, 127});
    rig.clock.advance(std::chrono::seconds(63));
    rig.check.finish();
    const CheckReport report = checkReport(rig.check, heading);

    EXPECT_EQ(report.when, "3 May 2026, 14:05, for 1 min 3 s");
    ASSERT_EQ(report.manuals.size(), 2u);
    EXPECT_EQ(report.manuals[0].title, "Manual 1 (Great)");
    EXPECT_EQ(report.manuals[0].checklist,
              (std::vector<std::string>{
                  "Keys: 1 of 61 played", "Pistons: 1 of 5 pressed",
                  "Pistons of the organ's own groups: 1 of 2 checked one at a time",
                  "Manual 1 (Great), Input 1 (Expression (11) on MIDI Channel 1): from 0 to 127"}));
    EXPECT_EQ(report.manuals[0].answers,
              std::vector<std::string>{
                  "Manual 1 (Great), piston 6: sent Control Change 80 on MIDI Channel 1, value 127"});
    EXPECT_EQ(report.manuals[0].notChecked,
              std::vector<std::string>{
                  "Manual 1 (Great), piston 7 (LARKMOOR Piston with CASE=0 and NUM=3 (CASE 00 - "
                  "Div#1 (Pedal) Divisional, NUM 3 - #4)): not checked"});
    EXPECT_EQ(report.manuals[1].checklist[0], "Keys: 0 of 32 played");
    EXPECT_EQ(report.manuals[0].faults.size(), 60u + 4u) << "60 keys, 4 pistons";
    EXPECT_EQ(report.otherFaults, std::vector<std::string>{
                                      "not sent by this configuration: Program Change #9 on MIDI Channel 4"});

    const std::string text = checkReportText(report);
    EXPECT_NE(text.find("\nManual 2 (Pedal), key 32 (G3): never played\n"), std::string::npos)
        << "flush left";
    EXPECT_NE(text.find("\n  Keys: 1 of 61 played\n"), std::string::npos);
    EXPECT_NE(text.find("\nnot sent by this configuration: Program Change #9 on MIDI Channel 4\n"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("see the faults.\n"));

    const std::string html = checkReportHtml(report);
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>"));
    for (const std::string& part :
         {std::string("<h2>Manual 1 (Great)</h2>"), std::string("3 May 2026, 14:05"),
          std::string("<li>Manual 2 (Pedal), key 32 (G3): never played</li>"),
          std::string("Messages without a manual")})
        EXPECT_NE(html.find(part), std::string::npos) << part;
}

TEST(CheckReport, NamesAreEscapedAndAKeyPastNote127IsNotExpected) {
    ConfigModel model = test::checkOrgan();
    model.names.manualNames[0] = "<Great & Co>";
    model.channelTranspose[channelSlotOf(0, 2)] =
        100; // key 29 sends note 128 there; channel 1 is high enough
    model.keyboards[0].channels = 0b10;
    CheckRig rig(model);
    rig.check.finish();
    const CheckReport report = checkReport(rig.check, heading);
    EXPECT_EQ(report.manuals[0].checklist[0],
              "Keys: 0 of 28 played (33 keys of the 61 would pass note 127 and send nothing)");
    const std::string html = checkReportHtml(report);
    EXPECT_NE(html.find("&lt;Great &amp; Co&gt;"), std::string::npos);
    EXPECT_EQ(html.find("<Great"), std::string::npos);
}

TEST(CheckReport, ACleanConsolePlayedByTheSimulatedChainPasses) {
    ManualClock clock;
    const ConfigModel organ = exampleOrgan(3);
    SimulatedChain chain(clock);
    chain.openInput(0);
    ConsoleCheck check(organ, clock);
    const auto play = [&](ConsoleAction::Kind kind, int manual, int number, int value) {
        chain.play({kind, manual, number, value, {}});
        test::runWire(clock, chain, clock.now() + std::chrono::milliseconds(20), [&] {
            while (const auto message = chain.takeReceived())
                check.take(*message);
        });
        check.tick();
    };
    using Kind = ConsoleAction::Kind;
    for (int manual = 1; manual <= 3; ++manual) {
        for (int key = 1; key <= defaultCompass; ++key) {
            play(Kind::pressKey, manual, key, 100);
            play(Kind::releaseKey, manual, key, 100);
        }
        for (int piston = 1; piston <= pistonsPerManual; ++piston) {
            play(Kind::pressPiston, manual, piston, 0);
            play(Kind::releasePiston, manual, piston, 0);
        }
        for (int input = 1; input <= analogInputCount; ++input) {
            for (int value = 0; value <= 127; value += 127)
                play(Kind::moveShoe, manual, input, value);
        }
    }
    check.finish();
    std::string faults;
    for (const CheckFault& fault : check.faults())
        faults += fault.text + "\n";
    EXPECT_EQ(faults, "");
    EXPECT_EQ(check.verdict(), CheckVerdict::passed);
    EXPECT_EQ(checkReport(check, heading).manuals[2].checklist[1], "Pistons: 5 of 5 pressed");
}

} // namespace
} // namespace zkt
