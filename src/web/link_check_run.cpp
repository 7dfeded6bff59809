#include "web/link_check_run.h"

#include "link/link_verdict.h"
#include "link/port_resolution.h"

#include <functional>

namespace zkt::web {

namespace {

using nlohmann::json;

json rowView(const LengthResult& row, bool final) {
    const auto average = row.averageRoundTrip();
    return {{"length", row.length},
            {"sent", row.sent},
            {"intact", row.intact},
            {"corrupted", row.corrupted},
            {"lost", final ? json(row.lost()) : json(nullptr)},
            {"roundTripMs", average ? json(static_cast<double>(average->count()) / 1000.0) : json(nullptr)}};
}

} // namespace

bool LinkCheckRun::start() {
    if (running())
        return true;
    m_finished = false;
    m_mcus.clear();
    m_lastReport = {};
    m_problem = true;
    if (m_engine.busy()) {
        m_verdict = "A transfer is running. Test the connection once it has finished.";
        return false;
    }
    try {
        m_engine.queue().openInput();
        m_engine.queue().openOutput();
    } catch (const MidiError& error) {
        m_verdict = std::string("The MIDI ports could not be opened: ") + error.what();
        return false;
    }
    if (!m_port.isInputOpen() || !m_port.isOutputOpen()) {
        m_verdict =
            "The MIDI ports could not be opened: choose a MIDI input and a MIDI output in the MIDI setup.";
        return false;
    }
    m_verdict.clear();
    m_problem = false;
    m_check = std::make_unique<LinkCheck>(m_port, m_clock);
    return true;
}

void LinkCheckRun::stop() {
    if (!running())
        return;
    m_lastReport = m_check->report();
    m_check.reset();
    m_engine.queue().closeInput();
}

void LinkCheckRun::tick() {
    if (!running())
        return;
    m_check->tick();
    finishIfDone();
}

void LinkCheckRun::drain() {
    if (!running())
        return;
    m_check->drain();
    finishIfDone();
}

void LinkCheckRun::finishIfDone() {
    if (!m_check->finished())
        return;
    const LinkReport report = m_check->report();
    stop();
    const Verdict verdict = judgeLink(report);
    m_finished = true;
    m_mcus = "MCUs counted: " + mcusCountedText(report);
    m_verdict = verdict.text;
    m_problem = verdict.problemFound();
}

std::string LinkCheckRun::describePorts() const {
    const MidiSelection& selection = m_engine.selection();
    // The devices as the next open will find them.
    const auto described = [](bool chosen, const std::function<ResolvedPort()>& resolve) -> std::string {
        if (!chosen)
            return "none chosen";
        try {
            return resolve().label;
        } catch (const MidiError& error) {
            return error.what();
        }
    };
    return "MIDI In: " +
           described(selection.midiInSelection > 0,
                     [&] { return resolveInput(selection, m_port.inputNames()); }) +
           "\nMIDI Out: " + described(selection.midiOutSelection > 0, [&] {
               return resolveOutput(selection, m_port.outputNames());
           });
}

json LinkCheckRun::view() const {
    const LinkReport& report = running() ? m_check->report() : m_lastReport;
    json rows = json::array();
    for (const LengthResult& row : report.lengths)
        rows.push_back(rowView(row, m_finished));
    // Before the first test the table shows what it will send.
    if (report.lengths.empty()) {
        for (const std::size_t length : LinkCheck::testLengths)
            rows.push_back(rowView(LengthResult{length}, false));
    }
    return {{"running", running()},
            {"sent", running() ? m_check->messagesSent() : 0},
            {"planned", running() ? m_check->messagesPlanned() : 0},
            {"ports", describePorts()},
            {"rows", std::move(rows)},
            {"mcus", m_mcus},
            {"verdict", m_verdict},
            {"problem", m_problem}};
}

} // namespace zkt::web
