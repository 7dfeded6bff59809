#include "sim/sim_runner.h"

#include "link/clock.h"
#include "link/rtmidi/rtmidi_port.h"

#include <signal.h>

#include <algorithm>
#include <condition_variable>
#include <iomanip>
#include <mutex>
#include <ostream>
#include <stdexcept>

namespace zkt::sim {

namespace {

using namespace std::chrono_literals;

// How long the loop may sleep when the wire has nothing due: an answer can never be late
// by more than this.
constexpr Micros idleStep = 1ms;

sigset_t stopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

bool stopRequested(const sigset_t& signals) {
    const timespec noWait{0, 0};
    return sigtimedwait(&signals, nullptr, &noWait) > 0;
}

// Wakes the loop early when the MIDI thread has delivered something.
class Wakeup {
public:
    void signal() {
        {
            std::lock_guard lock(m_mutex);
            m_pending = true;
        }
        m_condition.notify_one();
    }
    void waitFor(Micros timeout) {
        std::unique_lock lock(m_mutex);
        m_condition.wait_for(lock, timeout, [this] { return m_pending; });
        m_pending = false;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_pending = false;
};

} // namespace

int runSimulator(const SimulatorSettings& settings, std::ostream& log) {
    const sigset_t signals = stopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    SteadyClock clock;
    const Micros started = clock.now();
    SimulatedChain chain(clock, settings.chain);
    if (settings.verbose) {
        chain.setTrace([&](const std::string& line) {
            log << std::fixed << std::setprecision(1)
                << std::chrono::duration<double, std::milli>(clock.now() - started).count() << " ms  " << line
                << std::endl;
        });
    }
    chain.openInput(0);
    chain.openOutput(0);

    RtMidiPort port(settings.api, "zktsim",
                    [&](const std::string& error) { log << "zktsim: " << error << std::endl; });
    Wakeup wakeup;
    port.setReceiveNotifier([&] { wakeup.signal(); });
    const std::string inputName = settings.inputName.empty() ? chain.portName() : settings.inputName;
    const std::string outputName = settings.outputName.empty() ? chain.portName() : settings.outputName;
    port.openVirtualInput(inputName);
    port.openVirtualOutput(outputName);
    log << "zktsim: ready, " << chain.mcuCount() << " manuals on " << midiApiName(port.api()) << ", input \""
        << inputName << "\", output \"" << outputName << "\"" << std::endl;

    while (!stopRequested(signals)) {
        while (auto message = port.takeReceived()) {
            chain.sendSysEx(*message);
        }
        chain.advance();
        while (auto message = chain.takeReceived()) {
            try {
                port.sendSysEx(*message);
            } catch (const MidiError& error) {
                log << "zktsim: " << error.what() << std::endl;
            }
        }
        const std::optional<Micros> due = chain.nextEventTime();
        wakeup.waitFor(due ? std::clamp(*due - clock.now(), Micros{0}, idleStep) : idleStep);
    }
    const SimulationCounters counters = chain.counters();
    log << "zktsim: stopped; " << counters.messagesFromComputer << " messages in, "
        << counters.messagesToComputer << " out, " << counters.updatesStored << " updates stored, "
        << counters.updatesLostWhileBusy << " lost to a busy MCU" << std::endl;
    return 0;
}

} // namespace zkt::sim
