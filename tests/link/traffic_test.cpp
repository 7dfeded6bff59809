// What the MIDI monitor is told and keeps: every message through the observed port, timed,
// and at most the latest TrafficLog::capacity of them.

#include "link/observed_port.h"
#include "link/protocol.h"
#include "link/traffic_log.h"
#include "support/link_fakes.h"

#include <gtest/gtest.h>

namespace zkt {
namespace {

using namespace std::chrono_literals;

TEST(ObservedPortTest, ReportsWhatLeftAndWhatWasTakenWithTheirTimes) {
    ManualClock clock;
    test::FakePort inner;
    ObservedPort port(inner, clock);
    std::vector<TrafficRecord> seen;
    port.setObserver([&](const TrafficRecord& record) { seen.push_back(record); });
    port.openOutput(0);

    clock.advance(5ms);
    port.sendSysEx(protocol::tagMessage());
    inner.incoming.push_back(protocol::tagMessage(4));
    clock.advance(7ms);
    EXPECT_EQ(port.takeReceived(), protocol::tagMessage(4));
    EXPECT_EQ(port.takeReceived(), std::nullopt);

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].at, 5ms);
    EXPECT_EQ(seen[0].direction, TrafficDirection::sent);
    EXPECT_EQ(seen[0].message, protocol::tagMessage());
    EXPECT_EQ(seen[1].at, 12ms);
    EXPECT_EQ(seen[1].direction, TrafficDirection::received);
    EXPECT_EQ(inner.sent.size(), 1u);
}

TEST(ObservedPortTest, ASendThatFailsIsNotReported) {
    ManualClock clock;
    test::FakePort inner;
    inner.failSend = true;
    ObservedPort port(inner, clock);
    int reports = 0;
    port.setObserver([&](const TrafficRecord&) { ++reports; });
    EXPECT_THROW(port.sendSysEx(protocol::tagMessage()), MidiError);
    EXPECT_EQ(reports, 0);
}

TrafficRecord receivedAt(Micros at) {
    return {at, TrafficDirection::received, protocol::tagMessage(4)};
}

TEST(TrafficLogTest, TimesCountFromTheStartAndFromTheMessageBefore) {
    TrafficLog log(1000ms);
    log.add(receivedAt(1250ms));
    log.add({1400ms, TrafficDirection::sent, protocol::programRequest(2, 0, 256)});
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log.entry(0).sinceStart, 250ms);
    EXPECT_EQ(log.entry(0).sincePrevious, 0ms);
    EXPECT_EQ(log.entry(1).sincePrevious, 150ms);
    EXPECT_EQ(trafficLine(log.entry(1)),
              "     400.0 ms     +150.0 ms    14 bytes  → Program request, manual 2, 256 bytes at 0");

    log.clear(2000ms);
    log.add(receivedAt(2100ms));
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(log.entry(0).sinceStart, 100ms);
    EXPECT_EQ(log.entry(0).sincePrevious, 0ms);
}

TEST(TrafficLogTest, KeepsTheLatestMessagesUpToItsCapacity) {
    TrafficLog log(0ms);
    const std::size_t beyond = 5;
    for (std::size_t i = 0; i < TrafficLog::capacity + beyond; ++i)
        log.add(receivedAt(Micros{static_cast<Micros::rep>(i)}));
    EXPECT_EQ(log.size(), TrafficLog::capacity);
    EXPECT_EQ(log.dropped(), beyond);
    EXPECT_EQ(log.entry(0).sinceStart, Micros{beyond});
    EXPECT_EQ(log.entry(TrafficLog::capacity - 1).sinceStart, Micros{TrafficLog::capacity + beyond - 1});
}

} // namespace
} // namespace zkt
