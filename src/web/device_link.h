#pragma once
// The page's side of the organ: the browser's MIDI devices and the simulated chain offered side
// by side, the transfer engine and the safe write on the page's clock, the connection test, the
// MIDI monitor's messages and the console check. The page calls in on its timer, when MIDI
// arrives and for the user's commands, then takes the events (link_events.h) and shows them.
//
// A load for editing reads into a copy of the session's configuration and hands it over as one
// undo step when it has succeeded; a write sends a copy taken at its start, so that editing on
// while it runs changes nothing on its way to the organ.

#include "link/clock.h"
#include "link/observed_port.h"
#include "link/organ_session.h"
#include "link/port_union.h"
#include "sim/simulated_chain.h"
#include "web/link_check_view.h"
#include "web/link_events.h"
#include "web/page_console_check.h"
#include "web/traffic_feed.h"
#include "web/web_midi_port.h"
#include "web/web_session.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zkt::web {

class DeviceLink {
public:
    static constexpr int simulatedManuals = 3;

    DeviceLink(WebSession& session, PageMidi page, const Clock& clock);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // The browser's devices connected now, and what arrived on the open input.
    void setDevices(std::vector<std::string> inputs, std::vector<std::string> outputs);
    void received(std::span<const std::uint8_t> bytes);

    nlohmann::json setupView() const;
    void chooseDevices(const std::string& input, const std::string& output);
    // {input, output}: where the chosen devices are in the lists (the browser's come first), -1
    // for none chosen or not connected.
    nlohmann::json chosenDevices() const;

    // False when no MIDI input and output are chosen: the page asks for them first.
    bool startLoad();
    // What a write with these options begins with (document/write_start.h), for the page:
    // {first: "refuse" | "ask" | "readFirst", refusal: [lines]}.
    nlohmann::json writeStart(const WriteOptions& options) const;
    // The write dialog is shown once the chain has been read (or first, by the page, when
    // nothing is read); then confirmWrite or cancel.
    bool startWrite(WriteOptions options);
    void confirmWrite(const WriteOptions& chosen);
    // After a read that failed, when the user still wants to write.
    void writeWithoutBackup();
    // The progress's Cancel, and the write dialog's.
    void cancel();

    bool startLinkCheck();
    void stopLinkCheck();
    // {running, sent, planned, ports: "MIDI In: ...\nMIDI Out: ...",
    //  rows: [{length, sent, intact, corrupted, lost (null while running), roundTripMs (null: none)}],
    //  mcus: "" or "MCUs counted: 3", verdict: "" or its text, problem: bool}
    nlohmann::json linkCheckView() const;
    TrafficFeed& traffic() { return m_traffic; }
    // Tools > Check the Console… on the configuration of the page's session.
    PageConsoleCheck& consoleCheck() { return m_consoleCheck; }
    const PageConsoleCheck& consoleCheck() const { return m_consoleCheck; }

    // The 100 ms timer; returns how long until it wants to run again.
    Micros tick();
    // How long until the simulated chain has something to do; nothing pending gives nullopt.
    std::optional<Micros> simulationDue() const;
    void advanceSimulation();

    nlohmann::json takeEvents();
    // {busy, devicesChosen, writing}
    nlohmann::json state() const;

private:
    void drain();
    // Puts the safe write's questions and its end among the events.
    void writePhaseReached(SafeWrite::Phase phase);
    void transferFinished(const TransferOutcome& outcome);
    KeptBackup keepBackup(const std::vector<Bytes>& images);

    WebSession& m_session;
    const Clock& m_clock;
    std::shared_ptr<WebMidiPort> m_browser;
    std::shared_ptr<SimulatedChain> m_simulation;
    PortUnion m_ports;
    ObservedPort m_observed;
    ConfigModel m_model;
    LinkEvents m_events;
    OrganSession m_organ;
    // Why the last connection test could not start, in the page's words; its verdict.
    std::string m_checkRefusal;
    TrafficFeed m_traffic;
    PageConsoleCheck m_consoleCheck;
};

// {backup, onlyChanged, verify, verifyAll} as the page keeps them; what is missing keeps its default.
WriteOptions writeOptionsFrom(const nlohmann::json& options);
nlohmann::json writeOptionsView(const WriteOptions& options);

} // namespace zkt::web
