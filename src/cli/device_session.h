#pragma once
// What zktcli's device commands talk to: real MIDI ports, or the in-process simulated chain
// (run in virtual time), with the loop driver and the clock that go with each.

#include "cli/transfer_loop.h"
#include "link/clock.h"
#include "link/midi_port.h"
#include "link/midi_selection.h"
#include "sim/simulated_chain.h"

#include <memory>
#include <optional>
#include <string>

namespace zkt::cli {

struct DeviceOptions {
    std::string input;                       // --in: device number or part of its name
    std::string output;                      // --out
    std::string api;                         // --api: alsa or jack; empty = whichever works
    std::optional<int> simulatedManuals;     // --simulate N
    std::optional<std::string> simulateFrom; // --simulate-from FILE.zkt
    std::optional<int> simulateLostUpdate;   // --simulate-lost-update N: the N-th update never arrives
    double timeoutSeconds = 120;             // --timeout; 0 = wait without limit
};

class DeviceSession {
public:
    explicit DeviceSession(const DeviceOptions& options);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    MidiPort& port() { return *m_port; }
    const Clock& clock() const;
    LoopDriver& driver() { return *m_driver; }
    std::optional<Micros> timeout() const { return m_timeout; }

    // Puts the devices named by --in and --out into the selection, as the setup dialog would.
    void choosePorts(MidiSelection& selection) const;

private:
    DeviceOptions m_options;
    ManualClock m_virtualClock;
    SteadyClock m_steadyClock;
    std::unique_ptr<MidiPort> m_port;
    std::unique_ptr<LoopDriver> m_driver;
    bool m_simulated = false;
    std::optional<Micros> m_timeout;
};

} // namespace zkt::cli
