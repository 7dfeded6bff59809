// zktsim's console scripts: what each step schedules, and a bad line named with its reason.

#include "sim/play_script.h"
#include "sim/script_player.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using Kind = ConsoleAction::Kind;
using namespace std::chrono_literals;

struct Step {
    Micros at;
    Kind kind;
    int manual;
    int number;
    int value;
};

std::vector<Step> stepsOf(const std::string& script) {
    std::vector<Step> steps;
    for (const ScheduledAction& s : parsePlayScript(script, "s.txt"))
        steps.push_back({s.at, s.action.kind, s.action.manual, s.action.number, s.action.value});
    return steps;
}

bool operator==(const Step& a, const Step& b) {
    return a.at == b.at && a.kind == b.kind && a.manual == b.manual && a.number == b.number &&
           a.value == b.value;
}

TEST(PlayScript, EachStepStartsWhenTheOneBeforeHasEnded) {
    const std::string script = "# a comment line\n"
                               "press 1 key 14      # the rest of a line too\n"
                               "WAIT 200\r\n"
                               "release 1 key 14\n"
                               "\n"
                               "press 2 key 3 velocity 40\n"
                               "tap 3 pistons 1-2 hold 10 gap 5\n"
                               "sweep 1 input 2 2 0 over 100\n";
    const std::vector<Step> expected{
        {0ms, Kind::pressKey, 1, 14, 100},       {200ms, Kind::releaseKey, 1, 14, 100},
        {200ms, Kind::pressKey, 2, 3, 40},       {200ms, Kind::pressPiston, 3, 1, 100},
        {210ms, Kind::releasePiston, 3, 1, 100}, {215ms, Kind::pressPiston, 3, 2, 100},
        {225ms, Kind::releasePiston, 3, 2, 100}, {230ms, Kind::moveShoe, 1, 2, 2},
        {280ms, Kind::moveShoe, 1, 2, 1},        {330ms, Kind::moveShoe, 1, 2, 0},
    };
    EXPECT_EQ(stepsOf(script), expected);

    const auto sent = parsePlayScript("send 2 f0 7e 01 06 01 F7\nsend 1 91 3d 0", "s.txt");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].action.bytes, (Bytes{0xF0, 0x7E, 0x01, 0x06, 0x01, 0xF7}));
    EXPECT_EQ(sent[1].action.bytes, (Bytes{0x91, 0x3D, 0x00}));
    EXPECT_EQ(sent[1].line, 2);
}

TEST(PlayScript, ABadLineIsNamedWithWhatIsWrong) {
    const std::pair<const char*, const char*> cases[] = {
        {"hit 1 key 3", "s.txt, line 2: \"hit\" is not a step (wait, press, release, tap, sweep or send)"},
        {"press 6 key 3", "s.txt, line 2: manual 6 is not 1 to 5"},
        {"press 1 key 0", "s.txt, line 2: key 0 is not 1 to 128"},
        {"press 1 piston 21", "s.txt, line 2: piston 21 is not 1 to 20"},
        {"press 1 pedal 3", "s.txt, line 2: \"pedal\" is not key or piston"},
        {"press 1 key", "s.txt, line 2: \"press\" needs key"},
        {"press 1 key three", "s.txt, line 2: \"three\" is not a number (key)"},
        {"press 1 key 3 velocity 0", "s.txt, line 2: velocity 0 is not 1 to 127"},
        {"release 1 key 3 velocity 9", "s.txt, line 2: \"velocity\" is more than the step takes"},
        {"tap 1 keys 9-3", "s.txt, line 2: keys 9-3 run downwards"},
        {"tap 1 pistons 1-3 velocity 9", "s.txt, line 2: \"velocity\" is not hold or gap"},
        {"sweep 1 input 4 0 127", "s.txt, line 2: input 4 is not 1 to 3"},
        {"sweep 1 input 1 0 128", "s.txt, line 2: value 128 is not 0 to 127"},
        {"sweep 1 input 1 0 127 in 9", "s.txt, line 2: \"in\" is not over"},
        {"wait -5", "s.txt, line 2: milliseconds -5 is not 0 to 3600000"},
        {"wait 5 more", "s.txt, line 2: \"more\" is more than the step takes"},
        {"send 1 90 3d",
         "s.txt, line 2: the bytes are not one MIDI message (a channel message, or F0 .. F7)"},
        {"send 1 f0 80 f7",
         "s.txt, line 2: the bytes are not one MIDI message (a channel message, or F0 .. F7)"},
        {"send 1 90 3d 1g", "s.txt, line 2: \"1g\" is not a byte in hex"},
        {"send 1", "s.txt, line 2: the bytes are not one MIDI message (a channel message, or F0 .. F7)"},
    };
    for (const auto& [line, error] : cases) {
        SCOPED_TRACE(line);
        try {
            parsePlayScript(std::string("wait 10\n") + line + "\n", "s.txt");
            ADD_FAILURE() << "no error";
        } catch (const PlayScriptError& e) {
            EXPECT_STREQ(e.what(), error);
        }
    }
    EXPECT_THROW(readPlayScript("/nonexistent/play.txt"), PlayScriptError);
}

TEST(PlayScript, ThePlayerPlaysEachStepWhenItIsDueAndRefusesAManualTheChainLacks) {
    ManualClock clock;
    SimulationOptions two;
    two.mcuCount = 2;
    SimulatedChain chain(clock, two);
    chain.openInput(0);
    EXPECT_THROW(ScriptPlayer(parsePlayScript("wait 1\npress 3 key 1", "s.txt"), chain, "s.txt"),
                 PlayScriptError);

    ScriptPlayer player(parsePlayScript("wait 100\ntap 2 piston 11 hold 0", "s.txt"), chain, "s.txt");
    EXPECT_EQ(player.nextDue(), std::nullopt) << "not started";
    player.start(1s);
    EXPECT_EQ(player.nextDue(), 1100ms);
    player.playDue(chain, 1099ms);
    EXPECT_EQ(chain.nextEventTime(), std::nullopt);
    player.playDue(chain, 1100ms);
    EXPECT_TRUE(player.finished());
    EXPECT_TRUE(chain.nextEventTime().has_value()) << "the Program Change is on its way";
}

} // namespace
} // namespace zkt
