// The console check as the page runs it, in virtual time: on the simulated chain keys and a
// piston pressed on the page are ticked off once the organ's own pistons, asked for first, are
// skipped; a message the configuration does not send is a fault; the report names the manuals;
// it is refused, in the check's words, without devices or while a transfer runs, and loads wait
// for it; an action or a key the console does not have is refused. Every answer is held to the
// page's declaration.

#include "web/device_link.h"

#include "check/check_texts.h"
#include "model/config_file.h"
#include "support/organs.h"
#include "support/page_boundary.h"

#include <gtest/gtest.h>

namespace zkt::web {
namespace {

using nlohmann::json;

const test::PageBoundary boundary;
const std::string simulator = "ZKT simulator (3 manuals)";

// A page whose one browser device ("USB MIDI") the test plays itself, on the organ of three
// manuals named Great, Swell and Pedal.
class CheckRig {
public:
    CheckRig() : link(session, pageMidi(), clock) {
        link.setDevices({"USB MIDI"}, {"USB MIDI"});
        ConfigModel organ = test::organOf(3);
        organ.names.manualNames = {"Great", "Swell", "Pedal", "", ""};
        session.open("organ.zkt", configurationText(organ));
    }

    static PageMidi pageMidi() {
        PageMidi page;
        page.open = [](PortSide, int) { return std::string(); };
        page.close = [](PortSide) {};
        page.send = [](std::span<const std::uint8_t>) { return std::string(); };
        return page;
    }

    // The page's timers for a while: the simulated chain when it is due, the tick every 100 ms.
    void run(Micros time = Micros{300'000}) {
        const Micros end = clock.now() + time;
        while (clock.now() < end) {
            clock.advance(Micros{5'000});
            link.advanceSimulation();
            if (clock.now() >= nextTick)
                nextTick = clock.now() + link.tick();
        }
    }

    json view() {
        json shown = link.consoleCheck().view();
        EXPECT_EQ(boundary.linkAnswerMismatch("consoleCheckView", shown), "");
        return shown;
    }

    json play(const std::string& action, int manual, int number) {
        try {
            link.consoleCheck().play(action, manual, number);
            return {{"ok", true}};
        } catch (const std::invalid_argument& e) {
            return {{"error", e.what()}};
        }
    }

    // Presses and lets go of a key or piston on the simulated chain, and lets it arrive.
    void press(const std::string& what, int manual, int number) {
        EXPECT_EQ(play("press" + what, manual, number), json({{"ok", true}}));
        run(Micros{100'000});
        EXPECT_EQ(play("release" + what, manual, number), json({{"ok", true}}));
        run();
    }

    void skipEveryAsked() {
        for (int skips = 0; view()["asking"] && skips < 100; ++skips)
            link.consoleCheck().skipAsked();
    }

    ManualClock clock;
    WebSession session;
    DeviceLink link;
    Micros nextTick{0};
};

const json& piston(const json& view, int manual, int piston) {
    return view["manuals"][manual - 1]["pistons"][piston - 1];
}

int firstPiston(const json& view, int manual, const std::string& look) {
    const json& pistons = view["manuals"][manual - 1]["pistons"];
    for (std::size_t p = 0; p < pistons.size(); ++p) {
        if (pistons[p]["look"] == look)
            return static_cast<int>(p) + 1;
    }
    return 0;
}

TEST(PageConsoleCheck, OnTheSimulatorKeysAndPistonsPressedOnThePageAreTickedOffAndReported) {
    CheckRig rig;
    EXPECT_EQ(boundary.linkAnswerMismatch("consoleCheckTexts", PageConsoleCheck::texts()), "");
    EXPECT_EQ(PageConsoleCheck::texts()["menu"], "Check the Console\u2026");
    EXPECT_EQ(rig.view()["state"], "before");
    EXPECT_EQ(boundary.linkAnswerMismatch("finishConsoleCheck", rig.link.consoleCheck().finish()), "");

    rig.link.chooseDevices(simulator, simulator);
    ASSERT_TRUE(rig.link.consoleCheck().start({2026, 12, 9, 10, 30}));
    json view = rig.view();
    EXPECT_EQ(view["state"], "running");
    EXPECT_TRUE(view["playable"]);
    EXPECT_NE(view["instructions"].get<std::string>().find(checktext::simulatorPlays()), std::string::npos);
    EXPECT_FALSE(rig.link.startLoad()) << "a load waits for the check";

    // The organ's own pistons are asked for first, one at a time (the simulated chain knows no
    // message of theirs); Skip passes them over until the check only listens.
    ASSERT_TRUE(view["asking"]);
    const int asked = firstPiston(view, 1, "waiting");
    EXPECT_TRUE(piston(view, 1, asked)["asked"]);
    EXPECT_EQ(view["prompt"], "Press piston " + std::to_string(asked) + " of manual 1");
    rig.skipEveryAsked();
    view = rig.view();
    EXPECT_FALSE(view["asking"]);
    EXPECT_EQ(view["prompt"], checktext::playEverything());
    EXPECT_EQ(piston(view, 1, asked)["look"], "skipped") << "passed over, not waiting";

    rig.press("Key", 1, 1);
    rig.press("Key", 2, 13);
    const int followed = 11; // Program Change #11 on MIDI Channel 1
    rig.press("Piston", 1, followed);
    view = rig.view();
    EXPECT_EQ(view["manuals"][0]["keys"][0]["look"], "played");
    EXPECT_EQ(view["manuals"][0]["keys"][0]["name"], "Manual 1 (Great), key 1 (C1)");
    EXPECT_EQ(view["manuals"][1]["keys"][12]["look"], "played");
    EXPECT_EQ(view["manuals"][0]["keys"][1]["look"], "waiting");
    EXPECT_EQ(piston(view, 1, followed)["look"], "ticked");
    EXPECT_EQ(view["faults"], json::array()) << view["faults"].dump();

    // Held down, a key shows so; a piston lights up for a moment.
    rig.play("pressKey", 1, 2);
    rig.play("pressPiston", 1, followed);
    rig.run(Micros{60'000});
    view = rig.view();
    EXPECT_EQ(view["manuals"][0]["keys"][1]["look"], "held");
    EXPECT_EQ(piston(view, 1, followed)["look"], "lit");
    rig.play("releaseKey", 1, 2);
    rig.play("releasePiston", 1, followed);
    rig.run(Micros{600'000});
    EXPECT_EQ(piston(rig.view(), 1, followed)["look"], "ticked");

    const json report = rig.link.consoleCheck().finish();
    EXPECT_EQ(boundary.linkAnswerMismatch("finishConsoleCheck", report), "");
    EXPECT_EQ(report["fileName"], "organ - console check.html");
    for (const char* manual : {"Manual 1 (Great)", "Manual 2 (Swell)", "Manual 3 (Pedal)"})
        EXPECT_NE(report["html"].get<std::string>().find(manual), std::string::npos) << manual;
    view = rig.view();
    EXPECT_EQ(view["state"], "finished");
    EXPECT_FALSE(view["playable"]);
    rig.link.consoleCheck().stop();
    EXPECT_EQ(rig.view()["state"], "before");
    EXPECT_TRUE(rig.link.startLoad()) << "the input is free again";
}

TEST(PageConsoleCheck, AMessageTheConfigurationDoesNotSendIsAFault) {
    CheckRig rig;
    rig.link.chooseDevices("USB MIDI", "USB MIDI");
    ASSERT_TRUE(rig.link.consoleCheck().start({2026, 12, 9, 10, 30}));
    EXPECT_FALSE(rig.view()["playable"]) << "only the simulated chain plays what the page presses";
    rig.skipEveryAsked();
    const std::vector<std::uint8_t> programChange{0xCF, 0x7F};
    rig.link.received(programChange);
    rig.run();
    const json view = rig.view();
    ASSERT_FALSE(view["faults"].empty());
    EXPECT_EQ(view["faults"].back(), checktext::notSent("Program Change #128 on MIDI Channel 16"));
    EXPECT_EQ(view["faultsHeading"], checktext::faultsHeading(view["faults"].size()));
}

TEST(PageConsoleCheck, RefusedInTheChecksWordsWithoutDevicesOrWhileATransferRuns) {
    CheckRig rig;
    EXPECT_FALSE(rig.link.consoleCheck().start({}));
    EXPECT_EQ(rig.view()["refusal"], "The MIDI input could not be opened: choose one in the MIDI setup.");

    rig.link.chooseDevices(simulator, simulator);
    ASSERT_TRUE(rig.link.startLoad());
    EXPECT_FALSE(rig.link.consoleCheck().start({}));
    EXPECT_EQ(rig.view()["refusal"], PageConsoleCheck::texts()["busy"]);
    EXPECT_EQ(rig.view()["state"], "before");
}

TEST(PageConsoleCheck, AnActionOrAKeyTheConsoleDoesNotHaveIsRefused) {
    CheckRig rig;
    rig.link.chooseDevices(simulator, simulator);
    ASSERT_TRUE(rig.link.consoleCheck().start({}));
    const std::vector<std::tuple<std::string, int, int>> wrong{{"strikeKey", 1, 1},
                                                               {"pressKey", 4, 1},
                                                               {"pressKey", 1, 0},
                                                               {"pressKey", 1, 62},
                                                               {"pressPiston", 1, 21}};
    for (const auto& [action, manual, number] : wrong) {
        const json answer = rig.play(action, manual, number);
        EXPECT_TRUE(answer.contains("error")) << action << " " << manual << " " << number;
        EXPECT_EQ(boundary.linkAnswerMismatch("playConsole", answer), "");
    }
    EXPECT_EQ(boundary.linkAnswerMismatch("playConsole", rig.play("pressKey", 1, 61)), "");
}

} // namespace
} // namespace zkt::web
