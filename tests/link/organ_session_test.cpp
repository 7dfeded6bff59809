// The organ session every front end drives: which of the engine, the safe write, the
// connection test and a listener to the console a tick and a received message go to, the safe
// write's phases told once each, and ticks held back for a paced send.

#include "link/organ_session.h"
#include "model/backup_store.h"
#include "model/example_organ.h"
#include "support/link_fakes.h"
#include "support/transfer_rig.h"
#include "support/virtual_wire.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <vector>

namespace zkt {
namespace {

using Phase = SafeWrite::Phase;

struct SessionRig {
    SessionRig() : chain(clock, test::chainOf(2)) {
        organ.engine().selection().midiInSelection = 1;
        organ.engine().selection().midiOutSelection = 2;
        organ.onWritePhase([this](Phase phase) { phases.push_back(phase); });
        model.hardwareType = chain.identity(1).hardwareType;
    }

    // One timer period as a front end runs it, on a timer that wakes 1 to 4 ms late: a hold when
    // the session asks for one, then the tick, which says when the next is due.
    void tick() {
        const Micros late{1'000 * (1 + ticks++ % 4)};
        test::runWire(clock, chain, clock.now() + untilNext + late, [this] { organ.drainReceived(); });
        if (const auto hold = organ.holdTick()) {
            test::runWire(clock, chain, clock.now() + *hold, [this] { organ.drainReceived(); });
            ++holds;
        }
        untilNext = organ.tick();
    }

    template <typename Condition> bool tickUntil(Condition condition, int limit = 3000) {
        for (int i = 0; i < limit && !condition(); ++i)
            tick();
        return condition();
    }

    ManualClock clock;
    SimulatedChain chain;
    ConfigModel model = exampleOrgan(2);
    ConfigModel engineCopy; // the engine's own copy of the edits, as zktcli keeps one
    test::RecordingObserver observer;
    OrganSession organ{engineCopy, model, chain, clock, observer, LinkNotices{},
                       [](const std::vector<Bytes>&) { return KeptBackup{"backup.syx"}; }};
    std::vector<Phase> phases;
    int ticks = 0;
    int holds = 0;
    Micros untilNext = TransferEngine::tickInterval;
};

TEST(OrganSession, TellsEachPhaseOfASafeWriteOnceAndHoldsTicksForPacedSends) {
    SessionRig rig;
    for (int piston = 0; piston < 15; ++piston) // in more than one chunk of manual 2
        rig.model.pistons[static_cast<std::size_t>(pistonIndexOf(1, piston))].programNumber = 99;
    rig.engineCopy = rig.model;
    ASSERT_TRUE(rig.organ.startWrite({}));
    EXPECT_FALSE(rig.organ.startWrite({})) << "one write at a time";
    ASSERT_TRUE(rig.tickUntil([&] { return rig.organ.write().phase() == Phase::finished; }));
    EXPECT_EQ(rig.phases, (std::vector<Phase>{Phase::reading, Phase::writing, Phase::verifying, Phase::finished}));
    EXPECT_EQ(rig.organ.write().outcome(), SafeWrite::Outcome::verified) << testing::PrintToString(rig.organ.write().report());
    EXPECT_GT(rig.holds, 0) << "the written chunks are paced, and ticks wait for them";
    EXPECT_TRUE(rig.tickUntil([&] { return !rig.organ.busy(); }, 50));
}

TEST(OrganSession, TheConnectionTestTakesTheTicksWhileItRunsAndTheEngineAfter) {
    SessionRig rig;
    ASSERT_EQ(rig.organ.linkCheck().start(), std::nullopt);
    EXPECT_TRUE(rig.organ.busy());
    ASSERT_TRUE(rig.tickUntil([&] { return !rig.organ.linkCheck().running(); }));
    EXPECT_EQ(rig.organ.linkCheck().lastReport().mcuCount(), 2);
    EXPECT_EQ(rig.observer.outcomes.size(), 0u) << "no transfer ran meanwhile";

    ASSERT_TRUE(rig.organ.engine().startLoad());
    ASSERT_TRUE(rig.tickUntil([&] { return rig.organ.engine().outcome().ended(); }));
    EXPECT_EQ(rig.organ.engine().outcome().result, TransferOutcome::Result::succeeded);
}

struct HeardConsole {
    ConsoleListener listener() {
        return {[this](std::span<const std::uint8_t> message) { messages.emplace_back(message.begin(), message.end()); },
                [this] { ++ticks; }};
    }

    std::vector<Bytes> messages;
    int ticks = 0;
};

TEST(OrganSession, AListenerHasTheConsoleAndRefusesTransfersUntilItLetsGo) {
    SessionRig rig;
    HeardConsole heard;
    ASSERT_EQ(rig.organ.listenToConsole(heard.listener()), std::nullopt);
    EXPECT_TRUE(rig.chain.isInputOpen());
    rig.chain.play({.kind = ConsoleAction::Kind::pressKey, .manual = 2, .number = 5, .value = 100, .bytes = {}});
    rig.tick();
    rig.tick();
    ASSERT_FALSE(heard.messages.empty()) << "the key's notes, taken in the engine's place";
    const std::size_t notes = heard.messages.size();
    for (const Bytes& message : heard.messages)
        EXPECT_EQ(message.at(0) & 0xF0, 0x90);
    EXPECT_EQ(heard.ticks, 2);

    ASSERT_TRUE(rig.organ.transferRefusal().has_value());
    EXPECT_FALSE(rig.organ.startLoad());
    EXPECT_FALSE(rig.organ.startWrite({}));
    EXPECT_FALSE(rig.organ.busy());

    rig.organ.stopListening();
    EXPECT_FALSE(rig.chain.isInputOpen());
    EXPECT_EQ(rig.organ.transferRefusal(), std::nullopt);
    ASSERT_TRUE(rig.organ.startLoad());
    ASSERT_TRUE(rig.tickUntil([&] { return rig.organ.engine().outcome().ended(); }));
    EXPECT_EQ(rig.organ.engine().outcome().result, TransferOutcome::Result::succeeded);
    EXPECT_EQ(heard.messages.size(), notes) << "the load's answers went to the engine";
    EXPECT_EQ(heard.ticks, 2);
}

TEST(OrganSession, NoListenerWhileTheLinkIsHeldOrTheInputIsNotThere) {
    struct Case {
        const char* what;
        std::function<void(SessionRig&)> prepare;
        LinkCheckRefusal::Why why;
    };
    const std::vector<Case> cases = {
        {"a load", [](SessionRig& rig) { ASSERT_TRUE(rig.organ.startLoad()); }, LinkCheckRefusal::Why::transferRunning},
        {"the connection test", [](SessionRig& rig) { ASSERT_EQ(rig.organ.linkCheck().start(), std::nullopt); },
         LinkCheckRefusal::Why::transferRunning},
        {"no input chosen", [](SessionRig& rig) { rig.organ.engine().selection().midiInSelection = 0; },
         LinkCheckRefusal::Why::noPortsChosen},
        {"an input that is gone", [](SessionRig& rig) { rig.organ.engine().selection().inputName = "gone"; },
         LinkCheckRefusal::Why::portsWouldNotOpen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SessionRig rig;
        c.prepare(rig);
        HeardConsole heard;
        const auto refusal = rig.organ.listenToConsole(heard.listener());
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(refusal->why, c.why);
        EXPECT_FALSE(rig.organ.listening());
        rig.tick();
        EXPECT_EQ(heard.ticks, 0);
    }
}

TEST(TickSchedule, WaitsForASendDueWithinTheLimitAndKeepsStep) {
    TickSchedule schedule;
    EXPECT_EQ(schedule.untilNext(Micros{0}), Micros{100'000});
    // The timer woke 2 ms late; the send due 1 ms later is waited for.
    EXPECT_EQ(schedule.holdFor(Micros{102'000}, Micros{103'000}), Micros{1'000});
    EXPECT_EQ(schedule.untilNext(Micros{103'200}), Micros{99'800});
    EXPECT_EQ(schedule.holdFor(Micros{203'000}, Micros{209'000}), std::nullopt) << "beyond the limit";
    // Kept waiting for seconds: the next tick at once, then the usual step.
    EXPECT_EQ(schedule.untilNext(Micros{5'000'000}), Micros{0});
    EXPECT_EQ(schedule.untilNext(Micros{5'000'000}), Micros{100'000});
}

} // namespace
} // namespace zkt
