// The simulated console: each board sends what its image says, round the rest of the loop, and a
// transfer run meanwhile is not disturbed by it.

#include "link/channel_message.h"
#include "model/example_organ.h"
#include "model/program_image.h"
#include "sim/simulated_chain.h"
#include "support/transfer_rig.h"
#include "support/virtual_wire.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using Kind = ConsoleAction::Kind;

std::vector<ChannelMessage> heard(SimulatedChain& chain, ManualClock& clock) {
    std::vector<ChannelMessage> messages;
    test::runWire(clock, chain, std::nullopt, [&] {
        while (const auto message = chain.takeReceived())
            messages.push_back(channelMessageOf(*message).value());
    });
    return messages;
}

ChannelMessage on(int channel, int note, int velocity) {
    return {ChannelKind::noteOn, channel, note, velocity};
}
ChannelMessage controlChange(int channel, int number, int value) {
    return {ChannelKind::controlChange, channel, number, value};
}

TEST(SimulatedConsole, EachBoardSendsWhatItsImageSays) {
    // Manual m of the example: main channel m (offset 0, velocity sensed), layer m + 5 (an octave
    // up, fixed velocity 90 - 10 (m - 1)).
    struct Case {
        const char* name;
        ConsoleAction action;
        std::vector<ChannelMessage> expected;
    };
    const std::vector<Case> cases{
        {"a key on both channels", {Kind::pressKey, 2, 26, 64, {}}, {on(2, 61, 64), on(7, 73, 80)}},
        {"the lowest key", {Kind::pressKey, 1, 1, 100, {}}, {on(1, 36, 100), on(6, 48, 90)}},
        {"its release",
         {Kind::releaseKey, 1, 1, 100, {}},
         {{ChannelKind::noteOff, 1, 36, 64}, {ChannelKind::noteOff, 6, 48, 64}}},
        {"a key past note 127 is silent where it would pass it",
         {Kind::pressKey, 1, 85, 100, {}},
         {on(1, 120, 100)}},
        {"a Program Change piston",
         {Kind::pressPiston, 3, 11, 0, {}},
         {{ChannelKind::programChange, 3, 30, 0}}},
        {"a Bank Select piston, MSB, LSB, program",
         {Kind::pressPiston, 1, 13, 0, {}},
         {controlChange(6, 0, 0), controlChange(6, 32, 1), {ChannelKind::programChange, 6, 5, 0}}},
        {"a Note On/Off piston pressed", {Kind::pressPiston, 1, 15, 0, {}}, {on(1, 61, 127)}},
        {"and let go", {Kind::releasePiston, 1, 15, 0, {}}, {{ChannelKind::noteOff, 1, 61, 64}}},
        {"a Program Change piston let go sends nothing", {Kind::releasePiston, 3, 11, 0, {}}, {}},
        {"the organ's own groups send nothing", {Kind::pressPiston, 1, 1, 0, {}}, {}},
        {"a shoe drives its channels", {Kind::moveShoe, 2, 2, 90, {}}, {controlChange(7, 7, 90)}},
        {"bytes of one's own", {Kind::send, 2, 0, 0, {0x95, 0x10, 0x00}}, {on(6, 16, 0)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ManualClock clock;
        SimulatedChain chain(clock);
        chain.openInput(0);
        chain.play(c.action);
        EXPECT_EQ(heard(chain, clock), c.expected);
    }

    ManualClock clock;
    SimulatedChain chain(clock);
    chain.openInput(0);
    chain.play({Kind::pressPiston, 1, 18, 0, {}});
    EXPECT_EQ(heard(chain, clock).size(), 16u) << "All Notes Off on every channel";
    EXPECT_THROW(chain.play({Kind::pressKey, 4, 1, 100, {}}), std::out_of_range);
}

TEST(SimulatedConsole, AMessageCrossesTheBoardsAfterItsOwnAtTheirPace) {
    for (int manual = 1; manual <= 3; ++manual) {
        ManualClock clock;
        SimulatedChain chain(clock);
        chain.openInput(0);
        chain.play({Kind::pressPiston, manual, 11, 0, {}});
        std::optional<Micros> arrived;
        test::runWire(clock, chain, std::nullopt, [&] {
            if (chain.takeReceived())
                arrived = clock.now();
        });
        const int hops = 3 - manual + 1;
        EXPECT_EQ(arrived, protocol::byteTime * 2 * hops) << manual;
    }
}

TEST(SimulatedConsole, ATransferRunsAsBeforeWhileTheConsoleIsPlayed) {
    test::TransferRig rig(test::chainOf(3));
    rig.engine.startLoad();
    int tick = 0;
    ASSERT_TRUE(rig.tickUntil([&] {
        rig.chain.play(
            {tick % 2 == 0 ? Kind::pressKey : Kind::releaseKey, 1 + tick % 3, 1 + tick % 61, 90, {}});
        rig.chain.play({Kind::moveShoe, 1, 1, tick % 128, {}});
        ++tick;
        return rig.succeeded();
    }));
    EXPECT_TRUE(rig.loadedWhatTheChainHolds());
    EXPECT_TRUE(rig.userMessages.empty());
}

} // namespace
} // namespace zkt
