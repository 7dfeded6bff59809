// Loads and writes against what real MIDI set-ups do: boards that answer in other forms, ports
// that vanish, a user who cancels, a file opened while a write is still going out.

#include "model/example_organ.h"
#include "support/transfer_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zkt {
namespace {

using test::chainOf;
using test::TransferRig;

struct AnswerForm {
    const char* name;
    ResponseMode mode;
    ResponseHeader header;
};

class AnswerForms : public ::testing::TestWithParam<AnswerForm> {};

TEST_P(AnswerForms, EveryFormBoardsUseCompletesTheLoad) {
    SimulationOptions options = chainOf(3);
    options.responseMode = GetParam().mode;
    options.responseHeader = GetParam().header;
    TransferRig rig(options);
    rig.engine.startLoad();
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_TRUE(rig.loadedWhatTheChainHolds());
    EXPECT_EQ(rig.status.lines().back(), "Ready.");
}

INSTANTIATE_TEST_SUITE_P(
    Boards, AnswerForms,
    ::testing::Values(AnswerForm{"DeviceAll", ResponseMode::fourChunks, {true, false}},
                      AnswerForm{"RepeatedAddress", ResponseMode::fourChunks, {false, true}},
                      AnswerForm{"DeviceAllAndRepeatedAddress", ResponseMode::fourChunks, {true, true}},
                      AnswerForm{"DeviceAllInOneMessage", ResponseMode::singleMessage, {true, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RepeatedAddress, ALostChunkIsAskedForAgainInsteadOfShiftingTheRest) {
    SimulationOptions options = chainOf(2);
    options.responseHeader.repeatRequestAddress = true;
    TransferRig rig(options);
    MessageFault lost{.kind = FaultKind::drop, .matches = isProgramResponse};
    lost.occurrence = 2;
    rig.chain.injectFault(lost);
    rig.engine.startLoad();
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_TRUE(rig.loadedWhatTheChainHolds());
}

// The model a write must leave in every MCU: manual by manual, either what it held or the new
// image, never a mixture.
void expectEachImageOldOrNew(const TransferRig& rig, const std::vector<Bytes>& before,
                             const ConfigModel& organ) {
    for (int manual = 1; manual <= rig.chain.mcuCount(); ++manual) {
        const auto stored = rig.chain.image(manual);
        const ImageBuffer written = encodedManual(organ, manual);
        const bool isNew = std::equal(stored.begin(), stored.end(), written.begin());
        const bool isOld =
            std::equal(stored.begin(), stored.end(), before[static_cast<std::size_t>(manual - 1)].begin());
        EXPECT_TRUE(isNew || isOld) << "manual " << manual << " was left half-written";
    }
}

struct WriteSetup {
    TransferRig rig{chainOf(3)};
    std::vector<Bytes> before;
    ConfigModel organ = exampleOrgan(3);

    WriteSetup() {
        for (int manual = 1; manual <= 3; ++manual) {
            const auto image = rig.chain.image(manual);
            before.emplace_back(image.begin(), image.end());
        }
        // Different pistons from what the chain holds, so that a written manual shows.
        for (pistonInfo& piston : organ.pistons)
            piston = pistonInfo{};
        organ.numberOfManuals = 3;
        organ.hardwareType = rig.chain.identity(1).hardwareType;
        rig.model = organ;
    }
};

TEST(Unplugged, AChainThatVanishesMidLoadEndsItWithinASecondAndChangesNothing) {
    TransferRig rig(chainOf(3));
    rig.engine.startLoad();
    rig.tickUntil([&] { return rig.engine.status().manualInHand == 2; });
    rig.chain.unplug();
    const int unpluggedAt = rig.ticks;
    ASSERT_TRUE(rig.tickUntil([&] { return !rig.engine.busy(); }, 100));
    EXPECT_LE(rig.ticks - unpluggedAt, TransferEngine::presenceCheckTicks + 1);
    EXPECT_NE(rig.engine.outcome().reason.find("ZKT simulator (3 manuals)\" is gone"), std::string::npos)
        << rig.engine.outcome().reason;
    EXPECT_NE(rig.engine.outcome().reason.find("Nothing was loaded"), std::string::npos);
    EXPECT_EQ(rig.model, ConfigModel{});
    EXPECT_FALSE(rig.status.running);
}

TEST(Unplugged, AWriteWhoseChainVanishesIsNeverReportedWrittenAndSaysHowFarItGot) {
    for (int unplugAfterUpdates : {1, 6, 12}) {
        WriteSetup setup;
        TransferRig& rig = setup.rig;
        rig.engine.startWrite();
        rig.tickUntil([&] {
            return static_cast<int>(rig.sentOfKind(ReceivedKind::programUpdateEcho).size()) >=
                   unplugAfterUpdates;
        });
        rig.chain.unplug();
        ASSERT_TRUE(rig.tickUntil([&] { return !rig.engine.busy(); }, 100)) << unplugAfterUpdates;
        EXPECT_FALSE(rig.engine.outcome().reason.empty()) << unplugAfterUpdates;
        EXPECT_FALSE(rig.succeeded());
        EXPECT_NE(rig.status.content().find("is gone"), std::string::npos) << rig.status.content();
        // A manual counts as written only once the chain was seen still there after its last
        // message; one whose messages may have gone into the void is named as such.
        const std::string expected =
            unplugAfterUpdates == 12
                ? "Manuals 1 and 2 were written; manual 3 may be incomplete (write it again)"
            : unplugAfterUpdates == 6
                ? "Manual 1 was written; manual 2 may be incomplete (write it again); manual "
                  "3 was not written"
                : "Manual 1 may be incomplete (write it again); manuals 2 and 3 were not written";
        EXPECT_NE(rig.status.content().find(expected), std::string::npos) << rig.status.content();
    }
}

TEST(FailedOpen, AnInputThatWillNotOpenStopsTheLoadAndSaysSo) {
    test::FakePort port;
    port.failOpenInput = true;
    ManualClock clock;
    ConfigModel model;
    test::RecordingObserver status;
    TransferEngine engine(model, port, clock, status);
    engine.selection().midiInSelection = 1;
    engine.selection().midiOutSelection = 2;
    engine.startLoad();
    EXPECT_TRUE(status.running);
    engine.onTimerTick();
    EXPECT_FALSE(engine.busy());
    EXPECT_FALSE(status.running);
    EXPECT_EQ(engine.outcome().reason, "input device busy Nothing was loaded; the configuration is as it was.");
    EXPECT_TRUE(port.sent.empty());
}

// Opening a file while a write's last messages still wait must not hurry them: an MCU still
// writing its flash would lose them.
TEST(Pacing, MessagesOfAWriteKeepTheirPauseWhateverStartsLater) {
    WriteSetup setup;
    TransferRig& rig = setup.rig;
    rig.engine.startWrite();
    rig.tickUntil([&] { return rig.sentOfKind(ReceivedKind::programUpdateEcho).size() == 10; });
    rig.engine.finishFileTransfer();
    rig.tickUntil([&] { return rig.engine.queue().queueLength() == 0; }, 200);
    const auto updates = rig.sentOfKind(ReceivedKind::programUpdateEcho);
    ASSERT_EQ(updates.size(), 12u);
    for (std::size_t i = 10; i < updates.size(); ++i)
        EXPECT_GE(updates[i].at - updates[i - 1].at, TransmitQueue::writePause) << i;
    EXPECT_EQ(rig.chain.counters().updatesLostWhileBusy, 0);
}

class CancelledLoad : public ::testing::TestWithParam<TransferState> {};

TEST_P(CancelledLoad, StopsAtOnceAndChangesNothing) {
    TransferRig rig(chainOf(3));
    rig.model.numberOfManuals = 2;
    const ConfigModel before = rig.model;
    rig.engine.startLoad();
    ASSERT_TRUE(rig.tickUntil([&] { return rig.engine.status().state == GetParam(); }));
    rig.engine.cancelTransfer();
    const std::size_t sent = rig.port.sent.size();
    for (int i = 0; i < 50; ++i)
        rig.tick();
    EXPECT_EQ(rig.port.sent.size(), sent);
    EXPECT_EQ(rig.model, before);
    EXPECT_EQ(rig.engine.outcome().result, TransferOutcome::Result::cancelled);
    EXPECT_FALSE(rig.engine.busy());
    EXPECT_EQ(rig.status.lines().back(), "Cancelled. Nothing was loaded; the configuration is as it was.");
}

INSTANTIATE_TEST_SUITE_P(States, CancelledLoad,
                         ::testing::Values(TransferState::waitingForIdentity, TransferState::settling,
                                           TransferState::waitingForFirstChunk, TransferState::collectingChunks));

TEST(CancelledLoad, DuringTheCablingCheck) {
    TransferRig rig(chainOf(0));
    rig.engine.startLoad();
    rig.tick();
    rig.engine.cancelTransfer();
    EXPECT_EQ(rig.engine.status().state, TransferState::idle);
    EXPECT_FALSE(rig.status.running);
}

struct WriteCancel {
    const char* name;
    std::size_t afterUpdates; // cancel once this many program updates have left
    TransferState inState;    // ...and the write is in this state
    const char* summary;
};

class CancelledWrite : public ::testing::TestWithParam<WriteCancel> {};

TEST_P(CancelledWrite, FinishesTheManualItHasBegunAndSendsNothingMore) {
    WriteSetup setup;
    TransferRig& rig = setup.rig;
    rig.engine.startWrite();
    ASSERT_TRUE(rig.tickUntil([&] {
        return rig.sentOfKind(ReceivedKind::programUpdateEcho).size() >= GetParam().afterUpdates &&
               rig.engine.status().state == GetParam().inState;
    }));
    rig.engine.cancelTransfer();
    ASSERT_TRUE(rig.tickUntil([&] { return !rig.engine.busy(); }, 100));
    const std::size_t sent = rig.port.sent.size();
    for (int i = 0; i < 50; ++i)
        rig.tick();
    EXPECT_EQ(rig.port.sent.size(), sent);
    EXPECT_EQ(rig.chain.counters().updatesLostWhileBusy, 0);
    expectEachImageOldOrNew(rig, setup.before, setup.organ);
    EXPECT_EQ(rig.status.lines().back(), std::string("Cancelled. ") + GetParam().summary);
    EXPECT_EQ(rig.engine.outcome().result, TransferOutcome::Result::cancelled);
}

INSTANTIATE_TEST_SUITE_P(
    States, CancelledWrite,
    ::testing::Values(WriteCancel{"BeforeAnyUpdate", 0, TransferState::waitingForIdentity,
                                  "Manuals 1, 2 and 3 were not written."},
                      WriteCancel{"InTheFirstManual", 2, TransferState::nextManualToWrite,
                                  "Manual 1 was written; manuals 2 and 3 were not written."},
                      WriteCancel{"AskingTheSecondManual", 4, TransferState::waitingForIdentity,
                                  "Manual 1 was written; manuals 2 and 3 were not written."}),
    [](const auto& info) { return std::string(info.param.name); });

// Once every manual is queued there is nothing left to cancel: the write goes out to its end.
TEST(CancelledWrite, AfterTheLastManualIsQueuedTheWriteFinishes) {
    WriteSetup setup;
    TransferRig& rig = setup.rig;
    rig.engine.startWrite();
    ASSERT_TRUE(rig.tickUntil([&] { return rig.engine.status().state == TransferState::closing; }));
    rig.engine.cancelTransfer();
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_NE(rig.engine.outcome().result, TransferOutcome::Result::cancelled);
    EXPECT_EQ(rig.status.lines().back(), "ZKT Configuration data written!Done.");
    EXPECT_EQ(rig.engine.manualsWritten(), (std::vector<int>{1, 2, 3}));
}

} // namespace
} // namespace zkt
