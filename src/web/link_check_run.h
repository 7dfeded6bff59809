#pragma once
// The connection test as the page runs it: the test borrows the transfer engine's ports while
// no transfer holds them, gets the ticks and the received messages in the engine's place, and
// lets the input go again when it ends. Its progress and verdict come back as JSON.

#include "link/clock.h"
#include "link/link_check.h"
#include "link/transfer_engine.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>

namespace zkt::web {

class LinkCheckRun {
public:
    LinkCheckRun(TransferEngine& engine, MidiPort& port, const Clock& clock)
        : m_engine(engine), m_port(port), m_clock(clock) {}

    // Opens the chosen ports and starts the test; false, with the reason in the view, when
    // they cannot be opened.
    bool start();
    // Closing the test's dialog abandons a test still running.
    void stop();
    bool running() const { return m_check != nullptr; }
    void tick();
    void drain();

    // {running, sent, planned, ports: "MIDI In: ...\nMIDI Out: ...",
    //  rows: [{length, sent, intact, corrupted, lost (null while running), roundTripMs (null: none)}],
    //  mcus: "" or "MCUs counted: 3", verdict: "" or its text, problem: bool}
    nlohmann::json view() const;

private:
    void finishIfDone();
    std::string describePorts() const;

    TransferEngine& m_engine;
    MidiPort& m_port;
    const Clock& m_clock;
    std::unique_ptr<LinkCheck> m_check;
    LinkReport m_lastReport;
    bool m_finished = false;
    std::string m_verdict;
    bool m_problem = false;
    std::string m_mcus;
};

} // namespace zkt::web
