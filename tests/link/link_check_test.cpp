// The connection test against the simulated chain in virtual time: each fault of the loop
// gets its own verdict, and the test paces itself as the transmit queue does.

#include "link/link_check.h"
#include "link/link_verdict.h"
#include "link/observed_port.h"
#include "link/received_message.h"
#include "link/transfer_engine.h"
#include "sim/simulated_chain.h"
#include "support/link_fakes.h"
#include "support/virtual_wire.h"

#include <gtest/gtest.h>

#include <functional>

namespace zkt {
namespace {

struct CheckRun {
    LinkReport report;
    Verdict verdict;
    std::vector<TrafficRecord> sent;
    Micros took{0};
};

// duringTick plays what happens at the console meanwhile.
CheckRun runCheck(SimulationOptions options, const std::vector<MessageFault>& faults,
                  const std::function<void(SimulatedChain&, int tick)>& duringTick = {}) {
    ManualClock clock;
    SimulatedChain chain(clock, std::move(options));
    for (const MessageFault& fault : faults)
        chain.injectFault(fault);
    chain.openInput(0);
    chain.openOutput(0);
    ObservedPort port(chain, clock);
    CheckRun run;
    port.setObserver([&run](const TrafficRecord& record) {
        if (record.direction == TrafficDirection::sent)
            run.sent.push_back(record);
    });
    LinkCheck check(port, clock);
    for (int tick = 0; tick < 1000 && !check.finished(); ++tick) {
        if (duringTick)
            duringTick(chain, tick);
        test::runWire(clock, chain, clock.now() + TransferEngine::tickInterval, [&check] { check.drain(); });
        check.tick();
    }
    EXPECT_TRUE(check.finished());
    run.report = check.report();
    run.verdict = judgeLink(run.report);
    run.took = clock.now();
    return run;
}

MessageFault everyMessage(FaultKind kind, MessagePredicate matches = {}) {
    MessageFault fault;
    fault.kind = kind;
    fault.matches = std::move(matches);
    fault.repeat = true;
    return fault;
}

bool isLoopback(std::span<const std::uint8_t> message) {
    return classifyReceived(message) == ReceivedKind::loopbackTest;
}

MessagePredicate longerThan(std::size_t length) {
    return [length](std::span<const std::uint8_t> message) { return message.size() > length; };
}

struct VerdictCase {
    const char* name;
    int mcus;
    std::vector<MessageFault> faults;
    std::optional<std::size_t> interfaceDropsLongerThan;
    LinkVerdict verdict;
    std::optional<int> mcusCounted;
    const char* saying;
};

class LinkCheckVerdictTest : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(LinkCheckVerdictTest, TellsWhatIsWrongWithTheLoop) {
    const VerdictCase& c = GetParam();
    SimulationOptions options;
    options.mcuCount = c.mcus;
    options.interfaceDropsLongerThan = c.interfaceDropsLongerThan;
    const CheckRun run = runCheck(options, c.faults);
    EXPECT_EQ(run.verdict.kind, c.verdict) << run.verdict.text;
    EXPECT_EQ(run.report.mcuCount(), c.mcusCounted);
    EXPECT_NE(run.verdict.text.find(c.saying), std::string::npos) << run.verdict.text;
    EXPECT_EQ(run.report.loopbacksSent(),
              static_cast<int>(LinkCheck::testLengths.size()) * LinkCheck::messagesPerLength);
}

MessageFault tagCountOf(std::uint8_t count) {
    MessageFault fault = everyMessage(FaultKind::tagCount);
    fault.tagCount = count;
    return fault;
}

// The loop breaks: from the n-th message at the computer's input on, nothing arrives.
MessageFault lostFrom(int occurrence) {
    MessageFault fault = everyMessage(FaultKind::drop);
    fault.occurrence = occurrence;
    return fault;
}

INSTANTIATE_TEST_SUITE_P(
    Loops, LinkCheckVerdictTest,
    ::testing::Values(
        VerdictCase{"Clean", 3, {}, {}, LinkVerdict::fine, 3, "The loop is fine: 3 MCUs counted"},
        VerdictCase{
            "CleanWithFive", 5, {}, {}, LinkVerdict::fine, 5, "up to 512 bytes long, came back intact"},
        VerdictCase{
            "NoMcu", 0, {}, {}, LinkVerdict::noMcu, 0, "no MCU counts the tag: the MCUs are off or bypassed"},
        VerdictCase{"BrokenReturnPath",
                    3,
                    {everyMessage(FaultKind::drop)},
                    {},
                    LinkVerdict::nothingBack,
                    {},
                    "Nothing comes back. Check the cable from the last MCU's MIDI OUT"},
        VerdictCase{"LongMessagesDropped",
                    3,
                    {},
                    200,
                    LinkVerdict::longMessagesLost,
                    3,
                    "Long messages are lost: every test message of up to 192 bytes came back intact, but "
                    "messages longer than 192 bytes are lost"},
        VerdictCase{"LongMessagesDamaged",
                    2,
                    {everyMessage(FaultKind::corruptData, longerThan(300))},
                    {},
                    LinkVerdict::longMessagesLost,
                    2,
                    "messages longer than 256 bytes are damaged"},
        VerdictCase{"EverythingCorrupted",
                    1,
                    {everyMessage(FaultKind::corruptData, isLoopback)},
                    {},
                    LinkVerdict::messagesLost,
                    1,
                    "damaged on the way, short ones as well as long ones: 40 of 40"},
        VerdictCase{"OneShortMessageLost",
                    3,
                    {MessageFault{.kind = FaultKind::drop, .matches = isLoopback}},
                    {},
                    LinkVerdict::messagesLost,
                    3,
                    "1 of 40 test messages did not come back"},
        VerdictCase{"LoopBreaksDuringTheTest",
                    3,
                    {lostFrom(20)},
                    {},
                    LinkVerdict::messagesLost,
                    3,
                    "The loop stopped answering during the test"},
        VerdictCase{"InvalidCount", 3, {tagCountOf(9)}, {}, LinkVerdict::invalidCount, 8, "count 9"},
        VerdictCase{"Duplicated",
                    2,
                    {everyMessage(FaultKind::duplicate, isLoopback)},
                    {},
                    LinkVerdict::fine,
                    2,
                    "40 further messages arrived"}),
    [](const ::testing::TestParamInfo<VerdictCase>& info) { return std::string(info.param.name); });

TEST(LinkCheckTest, EveryLengthIsCountedAndTimedAsTheWireCarriesIt) {
    constexpr int mcus = 5;
    SimulationOptions options;
    options.mcuCount = mcus;
    const CheckRun run = runCheck(options, {});
    for (const LengthResult& row : run.report.lengths) {
        EXPECT_EQ(row.intact, LinkCheck::messagesPerLength) << row.length;
        // Paced sends never queue on the wire: each round trip is the message's time on every hop.
        EXPECT_EQ(row.averageRoundTrip(),
                  protocol::byteTime * static_cast<Micros::rep>(row.length) * (mcus + 1))
            << row.length;
    }
    for (std::size_t i = 1; i < run.sent.size(); ++i) {
        const Micros gap = run.sent[i].at - run.sent[i - 1].at;
        EXPECT_GE(gap, TransferEngine::tickInterval);
        EXPECT_GE(gap, protocol::byteTime * static_cast<Micros::rep>(run.sent[i - 1].message.size()));
    }
    EXPECT_LT(run.took, Micros{12'000'000});
}

TEST(LinkCheckTest, AConsolePlayedDuringTheTestIsNoStrayOnTheLoop) {
    SimulationOptions options;
    options.mcuCount = 3;
    const CheckRun run = runCheck(options, {}, [](SimulatedChain& chain, int tick) {
        const auto kind = tick % 2 == 0 ? ConsoleAction::Kind::pressKey : ConsoleAction::Kind::releaseKey;
        chain.play(ConsoleAction{kind, 1 + tick % 3, 1 + tick % 61, 100, {}});
    });
    EXPECT_EQ(run.verdict.kind, LinkVerdict::fine) << run.verdict.text;
    EXPECT_EQ(run.report.strayMessages, 0);
}

TEST(LinkCheckTest, AnOutputThatFailsEndsTheTestWithItsReason) {
    ManualClock clock;
    test::FakePort port;
    port.failSend = true;
    LinkCheck check(port, clock);
    check.tick();
    EXPECT_TRUE(check.finished());
    const Verdict verdict = judgeLink(check.report());
    EXPECT_EQ(verdict.kind, LinkVerdict::outputFailed);
    EXPECT_NE(verdict.text.find("the MIDI interface was unplugged"), std::string::npos) << verdict.text;
}

} // namespace
} // namespace zkt
