// The organ session every front end drives: which of the engine, the safe write and the
// connection test a tick goes to, the safe write's phases told once each, and ticks held back
// for a paced send.

#include "link/organ_session.h"
#include "model/backup_store.h"
#include "model/example_organ.h"
#include "support/link_fakes.h"
#include "support/transfer_rig.h"
#include "support/virtual_wire.h"

#include <gtest/gtest.h>

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
