#include "model/example_organ.h"
#include "sim/simulated_chain_faults.h"
#include "support/transfer_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zkt {
namespace {

using test::chainOf;
using test::TransferRig;

struct FaultCase {
    const char* name;
    MessageFault fault;
    bool userIsTold = false; // a message box about the received data
};

MessageFault faultOn(FaultKind kind, MessagePredicate matches, int occurrence = 1) {
    MessageFault fault;
    fault.kind = kind;
    fault.matches = std::move(matches);
    fault.occurrence = occurrence;
    return fault;
}

MessageFault withLength(MessageFault fault, std::size_t length) {
    fault.length = length;
    return fault;
}

MessageFault withDelay(MessageFault fault, Micros delay) {
    fault.delay = delay;
    return fault;
}

MessageFault withTagCount(MessageFault fault, std::uint8_t count) {
    fault.tagCount = count;
    return fault;
}

const std::vector<FaultCase> loadFaults{
    {"TagDropped", faultOn(FaultKind::drop, isTagMessage)},
    {"TagDuplicated", faultOn(FaultKind::duplicate, isTagMessage)},
    {"TagCountInvalidOnce", withTagCount(faultOn(FaultKind::tagCount, isTagMessage), 9)},
    {"TagCutShort", withLength(faultOn(FaultKind::wrongLength, isTagMessage), 8)},
    {"IdentityReplyDropped", faultOn(FaultKind::drop, isIdentityReply)},
    {"IdentityReplyDuplicated", faultOn(FaultKind::duplicate, isIdentityReply)},
    {"IdentityReplyLate", withDelay(faultOn(FaultKind::delay, isIdentityReply), Micros{2'500'000})},
    {"IdentityReplyOfSixBytes", withLength(faultOn(FaultKind::wrongLength, isIdentityReply), 6)},
    {"IdentityReplyCorrupted", faultOn(FaultKind::corruptData, isIdentityReply)},
    {"ResponseOfNineBytes", withLength(faultOn(FaultKind::wrongLength, isProgramResponse), 9)},
    {"ResponseDropped", faultOn(FaultKind::drop, isProgramResponse, 2)},
    {"ResponseCutShort", faultOn(FaultKind::wrongLength, isProgramResponse, 3)},
    {"ResponseCorrupted", faultOn(FaultKind::corruptData, isProgramResponse), true},
    {"ResponseLate", withDelay(faultOn(FaultKind::delay, isProgramResponse, 4), Micros{5'000'000})},
};

class LoadUnderFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(LoadUnderFault, EndsAsExpectedWithoutCrashing) {
    TransferRig rig(chainOf(2));
    rig.chain.injectFault(GetParam().fault);
    rig.engine.startLoad();
    const bool ended = rig.tickUntil([&] { return rig.succeeded(); }, 600);
    EXPECT_EQ(rig.chain.counters().faultsApplied, 1);
    EXPECT_EQ(!rig.userMessages.empty(), GetParam().userIsTold);
    ASSERT_TRUE(ended);
    const auto lines = rig.status.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Number of manuals detected = 2"), 1);
    EXPECT_EQ(lines.back(), "Ready.");
    EXPECT_EQ(rig.model.numberOfManuals, 2);
    EXPECT_TRUE(rig.loadedWhatTheChainHolds());
}

INSTANTIATE_TEST_SUITE_P(Faults, LoadUnderFault, ::testing::ValuesIn(loadFaults),
                         [](const auto& info) { return std::string(info.param.name); });

const std::vector<FaultCase> writeFaults{
    {"IdentityReplyDropped", faultOn(FaultKind::drop, isIdentityReply, 2)},
    {"IdentityReplyDuplicated", faultOn(FaultKind::duplicate, isIdentityReply)},
    {"IdentityReplyLate", withDelay(faultOn(FaultKind::delay, isIdentityReply), Micros{2'500'000})},
    {"IdentityReplyOfSixBytes", withLength(faultOn(FaultKind::wrongLength, isIdentityReply), 6)},
};

class WriteUnderFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(WriteUnderFault, StoresEveryImageWholeAndLosesNoUpdate) {
    TransferRig rig(chainOf(3));
    rig.model = exampleOrgan(3);
    rig.model.numberOfManuals = 3;
    rig.chain.injectFault(GetParam().fault);
    rig.engine.startWrite();
    ASSERT_TRUE(rig.tickUntil([&] { return rig.succeeded(); }, 600));
    const SimulationCounters counters = rig.chain.counters();
    EXPECT_EQ(counters.faultsApplied, 1);
    EXPECT_EQ(counters.updatesStored, 12);
    EXPECT_EQ(counters.updatesLostWhileBusy, 0);
    EXPECT_EQ(rig.sentOfKind(ReceivedKind::programUpdateEcho).size(), 12u);
    EXPECT_EQ(rig.status.lines().back(), "ZKT Configuration data written!Done.");
}

INSTANTIATE_TEST_SUITE_P(Faults, WriteUnderFault, ::testing::ValuesIn(writeFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// A lost answer is asked for again every 2 s; after five times the user learns which manual
// stays silent, and the load keeps asking.
TEST(LoadUnderFault, AnMcuThatNeverAnswersAProgramRequestIsAskedAgainAndNamed) {
    TransferRig rig(chainOf(3));
    rig.chain.setIgnoresProgramRequests(2, true);
    rig.engine.startLoad();
    EXPECT_FALSE(rig.tickUntil([&] { return rig.succeeded(); }, 600));
    EXPECT_EQ(rig.engine.status().state, TransferState::waitingForFirstChunk);
    EXPECT_EQ(rig.engine.status().manualInHand, 2);
    EXPECT_GE(rig.sentOfKind(ReceivedKind::programRequestEcho).size(), 10u);
    const auto lines = rig.status.lines();
    EXPECT_EQ(lines.back(), "Retrying...");
    EXPECT_EQ(lines.front(),
              "Manual #2 of your ZKT does not send its program data. Make sure it is turned on "
              "and connected.");
    EXPECT_EQ(rig.model, ConfigModel{}) << "nothing is loaded until every manual has answered";
}

TEST(LoadUnderFault, AChainWithoutMcusReportsAnInvalidCountForEveryReturnedTag) {
    TransferRig rig(chainOf(0));
    rig.engine.startLoad();
    for (int i = 0; i < 45; ++i)
        rig.tick();
    const auto lines = rig.status.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Invalid number of manuals detected!"), 3);
    EXPECT_EQ(rig.engine.status().state, TransferState::cablingCheck);
    EXPECT_EQ(rig.model.numberOfManuals, 0);
}

} // namespace
} // namespace zkt
