#include "support/transfer_rig.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::chainOf;
using test::TransferRig;

std::vector<std::string> expectedLoadLines(int manuals) {
    std::vector<std::string> lines{"Requesting ZKT Configuration..",
                                   "Number of manuals detected = " + std::to_string(manuals)};
    for (int manual = 1; manual <= manuals; ++manual)
        lines.push_back("Requesting ZKT Program Data from Manual #" + std::to_string(manual) + "... ok");
    lines.push_back("ZKT Configuration data loaded!");
    lines.push_back("Ready.");
    return lines;
}

struct LoadCase {
    int manuals;
    ResponseMode mode;
};

class LoadFromChain : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadFromChain, ReadsEveryManualWithTheExactProgressLines) {
    SimulationOptions options = chainOf(GetParam().manuals);
    options.responseMode = GetParam().mode;
    TransferRig rig(options);
    // The console's names, which no MCU holds, stay as the window shows them.
    rig.model.names.manualNames[0] = "Great";
    rig.model.names.pistonLabels[4] = "General 5";
    const ConsoleNames shownNames = rig.model.names;
    rig.engine.startLoad();
    EXPECT_EQ(rig.status.caption, "Loading Program Data from ZKT");
    EXPECT_EQ(rig.status.startedLoadsForEditing, 1);
    ASSERT_TRUE(rig.runToEnd());

    EXPECT_EQ(rig.status.lines(), expectedLoadLines(GetParam().manuals));
    EXPECT_EQ(rig.model.numberOfManuals, GetParam().manuals);
    EXPECT_EQ(rig.model.hardwareType, 18);
    EXPECT_EQ(rig.model.firmwareVersion, "2.1, 4/17/2006");
    EXPECT_TRUE(rig.loadedWhatTheChainHolds());
    EXPECT_EQ(rig.model.names, shownNames);
    EXPECT_EQ(rig.status.editLoadsEnded(), 1);
    EXPECT_TRUE(rig.userMessages.empty());

    // About two seconds later the status window closes and the commands come back.
    EXPECT_TRUE(rig.status.visible);
    rig.tickUntil([&] { return !rig.status.visible; }, 30);
    EXPECT_FALSE(rig.status.visible);
    EXPECT_EQ(rig.status.closings, 1);
    EXPECT_FALSE(rig.engine.busy());
}

INSTANTIATE_TEST_SUITE_P(
    Manuals, LoadFromChain,
    ::testing::Values(LoadCase{1, ResponseMode::fourChunks}, LoadCase{2, ResponseMode::fourChunks},
                      LoadCase{3, ResponseMode::fourChunks}, LoadCase{4, ResponseMode::fourChunks},
                      LoadCase{5, ResponseMode::fourChunks}, LoadCase{1, ResponseMode::singleMessage},
                      LoadCase{5, ResponseMode::singleMessage}),
    [](const auto& info) {
        return std::to_string(info.param.manuals) +
               (info.param.mode == ResponseMode::fourChunks ? "In86ByteChunks" : "In305Bytes");
    });

TEST(LoadFromChain, RebootsEveryManualAndChecksTheCablingFirst) {
    TransferRig rig(chainOf(2));
    rig.engine.startLoad();
    ASSERT_TRUE(rig.runToEnd());
    ASSERT_GE(rig.port.sent.size(), 2u);
    EXPECT_EQ(rig.port.sent[0].message,
              test::bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x01, 0x20, 0xF7}));
    EXPECT_EQ(rig.port.sent[1].message,
              test::bytesOf({0xF0, 0x00, 0x2F, 0x71, 0x7F, 0x04, 0x02, 0x01, 0xF7}));
    const auto reboots = rig.sentOfKind(ReceivedKind::mcuRebootEcho);
    ASSERT_EQ(reboots.size(), 3u);
    EXPECT_EQ(reboots[1].message[4], 1);
    EXPECT_EQ(reboots[2].message[4], 2);
}

TEST(LoadFromChain, OnlyTheFirstLoadSettlesTenTicksBeforeItsProgramRequest) {
    TransferRig rig(chainOf(1));
    // Ticks from the last identity request to the program request of the load just run.
    const auto requestGap = [&] {
        const auto identities = rig.sentOfKind(ReceivedKind::identityRequestEcho);
        const auto programRequests = rig.sentOfKind(ReceivedKind::programRequestEcho);
        return (programRequests.back().at - identities.back().at) / TransferEngine::tickInterval;
    };
    rig.engine.startLoad();
    ASSERT_TRUE(rig.runToEnd());
    const auto firstGap = requestGap();
    rig.tickUntil([&] { return !rig.status.visible; }, 30);
    rig.engine.startLoad();
    ASSERT_TRUE(rig.tickUntil([&] { return rig.engine.status().state == TransferState::closing; }));
    EXPECT_EQ(firstGap - requestGap(), 10);
}

TEST(LoadFromChain, AnEarlierCancelledSetupDoesNotBlockAConfiguredLoad) {
    TransferRig rig(chainOf(1));
    rig.engine.selection().midiSetupCancelled = true;
    rig.engine.startLoad();
    EXPECT_EQ(rig.status.portChoices, 0);
    EXPECT_TRUE(rig.runToEnd());
}

TEST(LoadFromChain, CancellingTheSetupDialogSendsNothing) {
    TransferRig rig(chainOf(1));
    rig.engine.selection().midiInSelection = 0;
    EXPECT_FALSE(rig.engine.startLoad());
    for (int i = 0; i < 50; ++i)
        rig.tick();
    EXPECT_EQ(rig.status.portChoices, 1);
    EXPECT_FALSE(rig.status.running);
    EXPECT_TRUE(rig.port.sent.empty());
}

TEST(LoadFromChain, PortsChosenWhenAskedLetTheLoadGoAhead) {
    TransferRig rig(chainOf(1));
    rig.engine.selection().midiInSelection = 0;
    rig.status.choosePorts = [&] { rig.engine.selection().midiInSelection = 1; };
    EXPECT_TRUE(rig.engine.startLoad());
    EXPECT_TRUE(rig.runToEnd());
}

TEST(FileTransfer, EndsLikeADeviceLoad) {
    TransferRig rig(chainOf(1));
    rig.engine.finishFileTransfer();
    rig.status.visible = true;
    rig.tick();
    EXPECT_EQ(rig.status.lines(),
              (std::vector<std::string>{"ZKT Configuration data loaded from file!", "Ready."}));
    rig.tickUntil([&] { return !rig.status.visible; }, 30);
    EXPECT_EQ(rig.status.closings, 1);
}

} // namespace
} // namespace zkt
