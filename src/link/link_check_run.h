#pragma once
// The connection test as the organ session runs it: it borrows the transfer engine's ports while
// no transfer holds them, takes the ticks and the received messages in the engine's place, and
// gives the input back when it ends.

#include "link/clock.h"
#include "link/link_check.h"
#include "link/transfer_engine.h"

#include <memory>
#include <optional>
#include <string>

namespace zkt {

// Why a test could not start.
struct LinkCheckRefusal {
    enum class Why { transferRunning, portsWouldNotOpen, noPortsChosen };
    Why why;
    std::string detail = {}; // portsWouldNotOpen: the port layer's words
};

// "A transfer is running. ...", or "The MIDI ports could not be opened: ..." with, for ports not
// chosen, where the front end chooses them ("Options > MIDI I/O Setup").
std::string linkCheckRefusalText(const LinkCheckRefusal& refusal, std::string_view whereToChoose);

// "MIDI In: ...\nMIDI Out: ...": the devices as the next open will find them, by their names.
std::string describeChosenPorts(const MidiSelection& selection, const MidiPort& port);

class LinkCheckRun {
public:
    LinkCheckRun(TransferEngine& engine, MidiPort& port, const Clock& clock)
        : m_engine(engine), m_port(port), m_clock(clock) {}

    // A transfer whose progress was put away has stopped asking; it does not hold the ports.
    bool transferHoldsPorts() const;
    // Opens the chosen ports and starts a test; or why not.
    std::optional<LinkCheckRefusal> start();
    // Abandons a test still running, and lets the input go.
    void stop();
    bool running() const { return m_check != nullptr; }
    void tick();
    void drain();

    // The test running, or null.
    const LinkCheck* check() const { return m_check.get(); }
    // What the test that ended last found, and whether it ran to its end.
    const LinkReport& lastReport() const { return m_lastReport; }
    bool lastFinished() const { return m_lastFinished; }

private:
    void endIfFinished();

    TransferEngine& m_engine;
    MidiPort& m_port;
    const Clock& m_clock;
    std::unique_ptr<LinkCheck> m_check;
    LinkReport m_lastReport;
    bool m_lastFinished = false;
};

} // namespace zkt
