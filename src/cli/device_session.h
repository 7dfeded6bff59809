#pragma once
// What zktcli's device commands talk to: real MIDI ports, or the in-process simulated chain
// (run in virtual time), with the loop driver and the clock that go with each.

#include "cli/transfer_loop.h"
#include "link/clock.h"
#include "link/midi_port.h"
#include "link/midi_selection.h"
#include "link/observed_port.h"
#include "link/traffic.h"
#include "sim/simulated_chain.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace zkt::cli {

struct DeviceOptions {
    std::string input;                       // --in: device number or part of its name
    std::string output;                      // --out
    std::string api;                         // --api: alsa or jack; empty = whichever works
    std::optional<int> simulatedManuals;     // --simulate N
    std::optional<std::string> simulateFrom; // --simulate-from FILE.zkt
    std::optional<int> simulateLostUpdate;   // --simulate-lost-update N: the N-th update never arrives
    std::optional<std::size_t> simulateDropLongerThan; // --simulate-drop-longer-than N
    bool realTime = false;                             // --real-time: the simulated chain at the wire's pace
    double timeoutSeconds = 120;                       // --timeout; 0 = wait without limit
    bool verbose = false;                              // -v: every message on stderr
};

class DeviceSession {
public:
    explicit DeviceSession(const DeviceOptions& options);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Every message sent and taken through it is seen by the traffic printer.
    MidiPort& port() { return *m_observed; }
    const Clock& clock() const;
    LoopDriver& driver() { return *m_driver; }
    std::optional<Micros> timeout() const { return m_timeout; }
    bool simulated() const { return m_simulated; }

    // Puts the devices named by --in and --out into the selection, as the setup dialog would.
    void choosePorts(MidiSelection& selection) const;
    // Opens the devices named by --in and --out directly, for work that sends without the queue.
    void openChosenPorts();
    void openChosenInput();

    // Prints every message as a traffic line on out (-v does so on stderr from the start),
    // timed from the session's start.
    void printTraffic(std::ostream& out);
    // Called before each traffic line, so that a progress line in the making is ended first.
    void setBeforeTrafficLine(std::function<void()> beforeLine) {
        m_beforeTrafficLine = std::move(beforeLine);
    }

private:
    int chosenInput() const;
    int chosenOutput() const;

    DeviceOptions m_options;
    ManualClock m_virtualClock;
    SteadyClock m_steadyClock;
    std::unique_ptr<MidiPort> m_port;
    std::unique_ptr<ObservedPort> m_observed;
    std::unique_ptr<LoopDriver> m_driver;
    bool m_simulated = false;
    std::optional<Micros> m_timeout;
    std::optional<TrafficTimeline> m_timeline;
    std::function<void()> m_beforeTrafficLine;
};

} // namespace zkt::cli
