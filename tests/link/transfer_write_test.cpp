#include "link/device_requests.h"
#include "model/example_organ.h"
#include "model/program_image.h"
#include "support/transfer_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zkt {
namespace {

using test::chainOf;
using test::TransferRig;

// Every image differs from what the simulated MCUs hold, so a stored update shows.
ConfigModel organToWrite(int manuals) {
    ConfigModel model = exampleOrgan(manuals);
    for (int manual = 1; manual <= manuals; ++manual) {
        pistonInfo& piston = model.pistons[static_cast<std::size_t>(pistonIndexOf(manual - 1, 7))];
        piston.functionGroup = static_cast<std::int16_t>(FunctionGroup::programChange);
        piston.midiChannel = static_cast<std::int16_t>(manual);
        piston.programNumber = static_cast<std::int16_t>(40 + manual);
    }
    model.numberOfManuals = static_cast<std::int16_t>(manuals);
    return model;
}

std::vector<std::string> expectedWriteLines(int manuals) {
    std::vector<std::string> lines{"Requesting ZKT Global Configuration.. ok"};
    for (int manual = 1; manual <= manuals; ++manual)
        lines.push_back("Writing ZKT Program Data to Manual #" + std::to_string(manual) + "... ok");
    lines.push_back("ZKT Configuration data written!Done.");
    return lines;
}

class WriteToChain : public ::testing::TestWithParam<int> {};

TEST_P(WriteToChain, SendsFourUpdatesAndARebootPerManualAndLosesNone) {
    const int manuals = GetParam();
    TransferRig rig(chainOf(manuals));
    rig.model = organToWrite(manuals);
    rig.engine.startWrite();
    EXPECT_EQ(rig.status.caption, "Writing Program Data to ZKT");
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.status.lines(), expectedWriteLines(manuals));

    // The image is encoded for the hardware type the MCU reported, not the model's old one.
    ConfigModel reported = organToWrite(manuals);
    reported.hardwareType = rig.chain.identity(1).hardwareType;
    std::vector<Bytes> expected;
    for (int manual = 1; manual <= manuals; ++manual) {
        for (const Bytes& chunk : programUpdateChunks(manual, 0, encodedManual(reported, manual)))
            expected.push_back(chunk);
        expected.push_back(test::bytesOf({0xF0, 0x00, 0x2F, 0x71, manual, 0x04, 0x01, 0x20, 0xF7}));
    }
    std::vector<Bytes> written;
    for (const auto& sent : rig.port.sent) {
        const ReceivedKind kind = classifyReceived(sent.message);
        if (kind == ReceivedKind::programUpdateEcho || kind == ReceivedKind::mcuRebootEcho)
            written.push_back(sent.message);
    }
    EXPECT_EQ(written, expected);

    const SimulationCounters counters = rig.chain.counters();
    EXPECT_EQ(counters.updatesStored, 4 * manuals);
    EXPECT_EQ(counters.updatesLostWhileBusy, 0);
    for (int manual = 1; manual <= manuals; ++manual) {
        const ImageBuffer image = encodedManual(reported, manual);
        const auto stored = rig.chain.image(manual);
        EXPECT_TRUE(std::equal(stored.begin(), stored.end(), image.begin())) << "manual " << manual;
    }
}

TEST_P(WriteToChain, KeepsTheWritePauseBetweenMessagesWithoutStoppingTheTicks) {
    TransferRig rig(chainOf(GetParam()));
    rig.model = organToWrite(GetParam());
    rig.engine.startWrite();
    ASSERT_TRUE(rig.runToEnd());
    const auto& sent = rig.port.sent;
    for (std::size_t i = 1; i < sent.size(); ++i) {
        const ReceivedKind previous = classifyReceived(sent[i - 1].message);
        if (previous == ReceivedKind::programUpdateEcho || previous == ReceivedKind::mcuRebootEcho) {
            EXPECT_GE(sent[i].at - sent[i - 1].at, TransmitQueue::writePause) << "message " << i;
        }
    }
}

TEST_P(WriteToChain, StatusWindowStaysUntilTheLastMessageHasLeftAndDoneCanBeRead) {
    TransferRig rig(chainOf(GetParam()));
    rig.model = organToWrite(GetParam());
    rig.engine.startWrite();
    ASSERT_TRUE(rig.tickUntil([&] { return rig.engine.status().state == TransferState::closing; }));
    // Queued is not written: the outcome waits for the last message and the chain after it.
    EXPECT_TRUE(rig.status.outcomes.empty());
    ASSERT_TRUE(rig.tickUntil([&] { return rig.status.content().ends_with("Done."); }));
    const Micros doneAt = rig.clock.now();
    ASSERT_TRUE(rig.tickUntil([&] { return !rig.status.visible; }));
    EXPECT_GE(rig.clock.now() - doneAt, Micros{2'000'000});
    EXPECT_EQ(rig.engine.queue().queueLength(), 0);
    EXPECT_EQ(rig.status.lines().back(), "ZKT Configuration data written!Done.");
    ASSERT_EQ(rig.status.outcomes.size(), 1u);
    EXPECT_EQ(rig.status.outcomes[0].kind, TransferKind::write);
    EXPECT_EQ(rig.status.outcomes[0].result, TransferOutcome::Result::succeeded);
    EXPECT_EQ(rig.status.closings, 1);
}

INSTANTIATE_TEST_SUITE_P(Manuals, WriteToChain, ::testing::Range(1, 6));

TEST(WriteToChain, FirstTagAndIdentityRequestFollowTwoSecondsAfterTheStart) {
    TransferRig rig(chainOf(1));
    rig.model = organToWrite(1);
    rig.engine.startWrite();
    for (int i = 0; i < 19; ++i)
        rig.tick();
    EXPECT_TRUE(rig.port.sent.empty());
    // The open request, the tag, then the identity request after the write pause.
    rig.tickUntil([&] { return rig.port.sent.size() >= 2; }, 10);
    ASSERT_GE(rig.port.sent.size(), 2u);
    EXPECT_EQ(classifyReceived(rig.port.sent[0].message), ReceivedKind::tag);
    EXPECT_EQ(rig.port.sent[1].message, test::bytesOf({0xF0, 0x7E, 0x01, 0x06, 0x01, 0xF7}));
}

TEST(WriteToChain, WithNoChainDetectedWritesManualOneOnly) {
    TransferRig rig(chainOf(2));
    rig.model = organToWrite(2);
    rig.model.numberOfManuals = 0;
    rig.engine.startWrite();
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.sentOfKind(ReceivedKind::programUpdateEcho).size(), 4u);
    EXPECT_EQ(rig.chain.counters().updatesStored, 4);
    EXPECT_EQ(rig.status.lines(), expectedWriteLines(1));
}

TEST(WriteToChain, AValueThatCannotBeEncodedStopsTheWriteBeforeAnythingIsSent) {
    TransferRig rig(chainOf(3));
    rig.model = organToWrite(3);
    pistonInfo& piston = rig.model.pistons[static_cast<std::size_t>(pistonIndexOf(1, 3))];
    piston.functionGroup = static_cast<std::int16_t>(FunctionGroup::bankSelect);
    piston.bankSelLSBFlag = true;
    piston.bankSelLSB = 300;
    rig.engine.startWrite();
    for (int i = 0; i < 200; ++i)
        rig.tick();
    EXPECT_TRUE(rig.port.sent.empty());
    EXPECT_EQ(rig.chain.counters().updatesStored, 0);
    EXPECT_EQ(rig.engine.status().state, TransferState::idle);
    EXPECT_TRUE(rig.status.visible);
    for (const char* part : {"Nothing was sent", "Manual 2", "piston 4", "bankSelLSB 300"})
        EXPECT_NE(rig.status.content().find(part), std::string::npos) << part << " in " << rig.status.content();
    EXPECT_EQ(rig.engine.outcome().reason, rig.status.content());
    EXPECT_EQ(rig.engine.outcome().result, TransferOutcome::Result::failed);
    EXPECT_FALSE(rig.status.running);
}

TEST(WriteToChain, CancellingTheSetupDialogStopsTheWriteButAnEarlierCancelDoesNot) {
    TransferRig rig(chainOf(1));
    rig.model = organToWrite(1);
    rig.engine.selection().midiSetupCancelled = true;
    rig.engine.startWrite();
    EXPECT_EQ(rig.engine.status().state, TransferState::waitingForIdentity);

    TransferRig unconfigured(chainOf(1));
    unconfigured.engine.selection().midiOutSelection = 0;
    EXPECT_FALSE(unconfigured.engine.startWrite());
    EXPECT_EQ(unconfigured.engine.status().state, TransferState::idle);
    EXPECT_EQ(unconfigured.status.portChoices, 1);
}

} // namespace
} // namespace zkt
