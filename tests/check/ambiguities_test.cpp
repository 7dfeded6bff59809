// What the configuration leaves ambiguous is said before the check starts.

#include "check/ambiguities.h"
#include "check_rig.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

TEST(Ambiguities, AreSaidInWholeSentences) {
    EXPECT_TRUE(ConsoleCheck(test::checkOrgan(), ManualClock()).warnings().empty());

    ConfigModel model = test::checkOrgan();
    model.keyboards[1].channels |= 0b10; // channel 2 on the pedal too
    model.pistons[pistonIndexOf(1, 1)] = test::pistonOf(FunctionGroup::programChange, 1, 5); // = piston 1
    model.pistons[pistonIndexOf(1, 2)] = test::pistonOf(FunctionGroup::noteOnOff, 1, 50); // key 14's note 49
    model.shoes[channelSlotOf(1, 1)] = {1, false, true}; // the pedal's Input 2 drives expression on channel 1
    ManualClock clock;
    EXPECT_EQ(ConsoleCheck(model, clock).warnings(),
              (std::vector<std::string>{"MIDI Channel 2 is enabled on Manual 1 (Great) and Manual 2 (Pedal): "
                                        "a note on it counts for a key "
                                        "of each.",
                                        "Manual 1 (Great), piston 1 and Manual 2 (Pedal), piston 2 send the "
                                        "same (Program Change #5 on MIDI "
                                        "Channel 1): a press counts for each.",
                                        "Manual 2 (Pedal), piston 3 sends note 49 on MIDI Channel 1, which "
                                        "Manual 1 (Great), key 14 (C#2) "
                                        "sends too: the note counts for both.",
                                        "Manual 1 (Great), Input 1 and Manual 2 (Pedal), Input 2 send "
                                        "Expression (11) on MIDI Channel 1: a "
                                        "movement counts for each."}));
}

} // namespace
} // namespace zkt
