#include "cli/transfer_loop.h"
#include "link/tick_schedule.h"

#include "link/transmit_queue.h"
#include "support/link_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zkt::cli {
namespace {

// Wakes a little after the time asked for, as a real timer does.
class LateWakingDriver final : public LoopDriver {
public:
    explicit LateWakingDriver(Micros lateness) : m_lateness(lateness) {}
    Micros now() const override { return m_clock.now(); }
    void waitUntil(Micros until, const std::function<void()>& drain) override {
        if (until > m_clock.now())
            m_clock.advance(until - m_clock.now() + m_lateness);
        drain();
        // Each wake-up is a little less late than the one before: the worst case for a send
        // due exactly six ticks after the previous one.
        m_lateness = std::max(Micros{0}, m_lateness - Micros{10});
    }

private:
    ManualClock m_clock;
    Micros m_lateness;
};

TEST(RunLoop, PacedMessagesLeaveOnTheSixthTickDespiteLateWakeUps) {
    LateWakingDriver driver(Micros{3'000});
    test::FakePort port;
    MidiSelection selection;
    selection.midiInSelection = 1;
    selection.midiOutSelection = 2;
    LinkNotices notices;
    struct DriverClock final : Clock {
        const LoopDriver& driver;
        explicit DriverClock(const LoopDriver& d) : driver(d) {}
        Micros now() const override { return driver.now(); }
    } clock(driver);
    TransmitQueue queue(port, clock, selection, notices);
    for (int i = 0; i < 4; ++i)
        queue.queueMessage(test::bytesOf({0xF0, i, 0xF7}), {.paced = true});

    std::vector<Micros> sendTimes;
    LoopWork work;
    work.tick = [&] {
        if (queue.pumpQueue() == TransmitQueue::PumpResult::sent)
            sendTimes.push_back(driver.now());
    };
    work.drain = [] {};
    work.done = [&] { return queue.queueLength() == 0; };
    work.sendableAt = [&] { return queue.pauseEnd(); };
    ASSERT_EQ(runLoop(driver, work, Micros{10'000'000}), LoopEnd::done);

    ASSERT_EQ(sendTimes.size(), 4u);
    for (std::size_t i = 1; i < sendTimes.size(); ++i) {
        const Micros gap = sendTimes[i] - sendTimes[i - 1];
        EXPECT_GE(gap, TransmitQueue::writePause);
        EXPECT_LT(gap, TransmitQueue::writePause + TickSchedule::holdLimit) << "message " << i;
    }
}

TEST(RunLoop, GivesUpWhenTheTimeoutHasPassed) {
    LateWakingDriver driver(Micros{0});
    int ticks = 0;
    LoopWork work;
    work.tick = [&] { ++ticks; };
    work.drain = [] {};
    work.done = [] { return false; };
    EXPECT_EQ(runLoop(driver, work, Micros{2'000'000}), LoopEnd::timedOut);
    EXPECT_EQ(ticks, 20);
}

} // namespace
} // namespace zkt::cli
