#include "cli/transfer_loop.h"

#include "link/tick_schedule.h"
#include "link/transfer_engine.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace zkt::cli {

namespace {
std::chrono::steady_clock::time_point steadyPoint(Micros since) {
    return std::chrono::steady_clock::time_point(
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(since));
}
} // namespace

SimulatedChainDriver::SimulatedChainDriver(SimulatedChain& chain, ManualClock& virtualClock)
    : m_chain(chain), m_clock(virtualClock), m_virtualClock(&virtualClock) {}

SimulatedChainDriver::SimulatedChainDriver(SimulatedChain& chain, const SteadyClock& realClock)
    : m_chain(chain), m_clock(realClock) {}

void SimulatedChainDriver::moveTo(Micros when) {
    const Micros ahead = when - m_clock.now();
    if (ahead <= Micros{0})
        return;
    if (m_virtualClock)
        m_virtualClock->advance(ahead);
    else
        std::this_thread::sleep_until(steadyPoint(when));
}

void SimulatedChainDriver::waitUntil(Micros until, const std::function<void()>& drain) {
    while (true) {
        const auto next = m_chain.nextEventTime();
        if (!next || *next > until)
            break;
        moveTo(*next);
        m_chain.advance();
        drain();
    }
    moveTo(until);
    m_chain.advance();
    drain();
}

PortDriver::PortDriver(MidiPort& port) : m_port(port) {
    m_port.setReceiveNotifier([this] {
        {
            const std::lock_guard lock(m_mutex);
            m_pending = true;
        }
        m_arrived.notify_one();
    });
}

PortDriver::~PortDriver() {
    m_port.setReceiveNotifier({});
}

void PortDriver::waitUntil(Micros until, const std::function<void()>& drain) {
    while (true) {
        drain();
        std::unique_lock lock(m_mutex);
        if (!m_arrived.wait_until(lock, steadyPoint(until), [this] { return m_pending; }))
            return;
        m_pending = false;
    }
}

LoopEnd runLoop(LoopDriver& driver, const LoopWork& work, std::optional<Micros> timeout, LoopStats* stats) {
    const Micros start = driver.now();
    Micros nextTick = start;
    TickSchedule schedule;
    const auto timed = [&](const std::function<void()>& handler) {
        const Micros before = driver.now();
        handler();
        if (stats)
            stats->longestHandler = std::max(stats->longestHandler, driver.now() - before);
    };
    const std::function<void()> drain = [&] { timed(work.drain); };
    while (true) {
        nextTick += TransferEngine::tickInterval;
        driver.waitUntil(nextTick, drain);
        if (work.sendableAt) {
            // Later ticks keep step with a send a tick waited for, or each hold's own lateness
            // would add up until a send slipped a tick after all.
            const Micros now = driver.now();
            if (const auto hold = schedule.holdFor(now, work.sendableAt())) {
                nextTick = now + *hold;
                driver.waitUntil(nextTick, drain);
            }
        }
        if (stats) {
            ++stats->ticks;
            stats->latestTick = std::max(stats->latestTick, driver.now() - nextTick);
        }
        timed(work.tick);
        if (work.done())
            return LoopEnd::done;
        if (timeout && driver.now() - start >= *timeout)
            return LoopEnd::timedOut;
    }
}

} // namespace zkt::cli
