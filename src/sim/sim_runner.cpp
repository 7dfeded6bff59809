#include "sim/sim_runner.h"

#include "link/channel_message.h"
#include "link/clock.h"
#include "link/protocol.h"
#include "link/rtmidi/rtmidi_port.h"
#include "sim/script_player.h"

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

sigset_t handledSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGUSR1);
    return set;
}

// The signal waiting, or 0.
int pendingSignal(const sigset_t& signals) {
    const timespec noWait{0, 0};
    const int signal = sigtimedwait(&signals, nullptr, &noWait);
    return signal > 0 ? signal : 0;
}

bool isSysEx(std::span<const std::uint8_t> message) {
    return !message.empty() && message.front() == protocol::sysexStart;
}

// What the computer sends goes round the loop, SysEx and channel messages alike.
void passToChain(SimulatedChain& chain, std::span<const std::uint8_t> message) {
    if (isSysEx(message))
        chain.sendSysEx(message);
    else if (channelMessageOf(message))
        chain.sendChannelMessage(message);
}

void passToComputer(RtMidiPort& port, std::span<const std::uint8_t> message) {
    if (isSysEx(message))
        port.sendSysEx(message);
    else
        port.sendChannelMessage(message);
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
    const sigset_t signals = handledSignals();
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
    ScriptPlayer player(settings.script, chain, settings.scriptName);

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

    const bool playing = !settings.script.empty();
    if (playing && !settings.startOnSignal)
        player.start(clock.now());
    if (playing && settings.startOnSignal)
        log << "zktsim: the script starts at SIGUSR1" << std::endl;
    bool announcedEnd = false;

    for (int signal = 0; signal != SIGINT && signal != SIGTERM; signal = pendingSignal(signals)) {
        if (signal == SIGUSR1 && playing && !player.started()) {
            player.start(clock.now());
            log << "zktsim: playing the script" << std::endl;
        }
        while (auto message = port.takeReceived()) {
            passToChain(chain, *message);
        }
        player.playDue(chain, clock.now());
        if (playing && player.finished() && !announcedEnd) {
            announcedEnd = true;
            log << "zktsim: script played" << std::endl;
        }
        chain.advance();
        while (auto message = chain.takeReceived()) {
            try {
                passToComputer(port, *message);
            } catch (const MidiError& error) {
                log << "zktsim: " << error.what() << std::endl;
            }
        }
        std::optional<Micros> due = chain.nextEventTime();
        if (const auto step = player.nextDue(); step && (!due || *step < *due))
            due = step;
        wakeup.waitFor(due ? std::clamp(*due - clock.now(), Micros{0}, idleStep) : idleStep);
    }
    const SimulationCounters counters = chain.counters();
    log << "zktsim: stopped; " << counters.messagesFromComputer << " messages in, "
        << counters.messagesToComputer << " out, " << counters.updatesStored << " updates stored, "
        << counters.updatesLostWhileBusy << " lost to a busy MCU" << std::endl;
    return 0;
}

} // namespace zkt::sim
