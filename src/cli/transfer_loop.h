#pragma once
// The loop that stands in for the window's timer and receive events: a tick every 100 ms of
// the clock, and between ticks every received message handed on as it arrives. Against the
// in-process chain the loop may run in virtual time, so a transfer takes no real time at all.

#include "link/clock.h"
#include "link/midi_port.h"
#include "sim/simulated_chain.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

namespace zkt::cli {

// How time passes between two ticks.
class LoopDriver {
public:
    virtual ~LoopDriver() = default;
    virtual Micros now() const = 0;
    // Lets time pass up to `until`, calling drain whenever messages may have arrived.
    virtual void waitUntil(Micros until, const std::function<void()>& drain) = 0;
};

// The simulated chain, in virtual time (a manual clock that jumps from one wire event to the
// next) or in real time (sleeping until the next event).
class SimulatedChainDriver final : public LoopDriver {
public:
    SimulatedChainDriver(SimulatedChain& chain, ManualClock& virtualClock);
    SimulatedChainDriver(SimulatedChain& chain, const SteadyClock& realClock);

    Micros now() const override { return m_clock.now(); }
    void waitUntil(Micros until, const std::function<void()>& drain) override;

private:
    void moveTo(Micros when);

    SimulatedChain& m_chain;
    const Clock& m_clock;
    ManualClock* m_virtualClock = nullptr;
};

// Real MIDI ports: the backend announces each message from its own thread.
class PortDriver final : public LoopDriver {
public:
    explicit PortDriver(MidiPort& port);
    ~PortDriver() override;
    PortDriver(const PortDriver&) = delete;
    PortDriver& operator=(const PortDriver&) = delete;

    Micros now() const override { return m_clock.now(); }
    void waitUntil(Micros until, const std::function<void()>& drain) override;

private:
    MidiPort& m_port;
    SteadyClock m_clock;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    bool m_pending = false;
};

// How long the loop was kept from doing its work, for the benchmark.
struct LoopStats {
    int ticks = 0;
    Micros longestHandler{0}; // the longest single tick or drain
    Micros latestTick{0};     // the furthest a tick ran behind its schedule
};

enum class LoopEnd { done, timedOut };

struct LoopWork {
    std::function<void()> tick;
    std::function<void()> drain;
    std::function<bool()> done; // asked after every tick
    // When the next message may leave; a tick due just before that waits for it (TickSchedule).
    std::function<Micros()> sendableAt;
};

LoopEnd runLoop(LoopDriver& driver, const LoopWork& work, std::optional<Micros> timeout,
                LoopStats* stats = nullptr);

} // namespace zkt::cli
