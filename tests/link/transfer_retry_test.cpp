#include "model/example_organ.h"
#include "sim/simulated_chain_faults.h"
#include "support/transfer_rig.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using test::chainOf;
using test::TransferRig;

MessageFault dropEvery(MessagePredicate matches) {
    MessageFault fault;
    fault.kind = FaultKind::drop;
    fault.matches = std::move(matches);
    fault.repeat = true;
    return fault;
}

// Ticks between consecutive retries. The first request leaves a few ticks after the counting
// started (behind the open request, and during a write behind the pause), so it is left out.
std::vector<long> ticksBetweenRetries(const std::vector<test::TappedPort::Sent>& sent) {
    std::vector<long> gaps;
    for (std::size_t i = 2; i < sent.size(); ++i)
        gaps.push_back(static_cast<long>((sent[i].at - sent[i - 1].at) / TransferEngine::tickInterval));
    return gaps;
}

const std::string cablingWarning = "Make sure your ZKT is on and the output of your MIDI device chain is "
                                   "connected to the MIDI-IN of your PC.\r\n"
                                   "Retrying...";
const std::string identityWarning =
    "Check your MIDI connections and make sure that your ZKT is turned on!\r\nRetrying...";

TEST(Retries, TheCablingCheckRepeatsEveryTwentyTicksAndWarnsAfterFiftyOne) {
    TransferRig rig(chainOf(2));
    rig.chain.injectFault(dropEvery(isTagMessage));
    rig.engine.startLoad();
    for (int i = 0; i < 1 + 50 * 20; ++i)
        rig.tick();
    const auto tags = rig.sentOfKind(ReceivedKind::tag);
    ASSERT_EQ(tags.size(), 51u); // the first and fifty retries
    EXPECT_EQ(ticksBetweenRetries(tags), std::vector<long>(49, 20));
    EXPECT_EQ(rig.status.content().find("Make sure"), std::string::npos);

    rig.tickUntil([&] { return rig.sentOfKind(ReceivedKind::tag).size() == 52; }, 25);
    EXPECT_EQ(rig.status.content(), cablingWarning);
    EXPECT_EQ(rig.engine.status().state, TransferState::cablingCheck);

    // Counting starts again: the warning stays until 51 more retries.
    rig.status.status.clear();
    rig.tickUntil([&] { return !rig.status.content().empty(); }, 51 * 20 + 5);
    EXPECT_EQ(rig.sentOfKind(ReceivedKind::tag).size(), 103u);
    EXPECT_EQ(rig.status.content(), cablingWarning);
}

TEST(Retries, AnUnansweredIdentityRequestDuringAWriteWarnsTheSameWay) {
    TransferRig rig(chainOf(1));
    rig.model = exampleOrgan(1);
    rig.chain.injectFault(dropEvery(isIdentityReply));
    rig.engine.startWrite();
    rig.tickUntil([&] { return rig.status.content().find("Retrying") != std::string::npos; }, 60 * 20);
    EXPECT_EQ(rig.status.content(), identityWarning);
    const auto requests = rig.sentOfKind(ReceivedKind::identityRequestEcho);
    // The 51st request is still waiting behind the write pause.
    EXPECT_EQ(requests.size(), 50u);
    EXPECT_EQ(ticksBetweenRetries(requests), std::vector<long>(48, 20));
    EXPECT_TRUE(rig.sentOfKind(ReceivedKind::programUpdateEcho).empty());
}

TEST(Retries, StopWhileTheStatusWindowIsClosedAndResumeWhenItIsShown) {
    TransferRig rig(chainOf(2));
    rig.chain.injectFault(dropEvery(isTagMessage));
    rig.engine.startLoad();
    for (int i = 0; i < 30; ++i)
        rig.tick();
    rig.engine.dismissProgress(true);
    EXPECT_FALSE(rig.status.visible);
    EXPECT_FALSE(rig.engine.selection().portsOpen);
    const std::size_t tagsBefore = rig.sentOfKind(ReceivedKind::tag).size();
    for (int i = 0; i < 200; ++i)
        rig.tick();
    EXPECT_EQ(rig.sentOfKind(ReceivedKind::tag).size(), tagsBefore);
    EXPECT_EQ(rig.engine.status().state, TransferState::cablingCheck);

    // The next start shows the progress again; the closed input is reopened before its first
    // message goes out.
    rig.engine.startLoad();
    rig.tickUntil([&] { return rig.sentOfKind(ReceivedKind::tag).size() > tagsBefore; }, 25);
    EXPECT_EQ(rig.sentOfKind(ReceivedKind::tag).size(), tagsBefore + 1);
    EXPECT_TRUE(rig.port.observed.isInputOpen());
}

TEST(Retries, ClosingTheStatusWindowWhileTheTransferEndsClosesAtOnce) {
    TransferRig rig(chainOf(1));
    rig.engine.startLoad();
    ASSERT_TRUE(rig.runToEnd());
    const int closingsBefore = rig.status.closings;
    rig.engine.dismissProgress(true);
    rig.tick();
    EXPECT_EQ(rig.status.closings, closingsBefore + 1);
    EXPECT_EQ(rig.engine.status().state, TransferState::idle);
}

} // namespace
} // namespace zkt
