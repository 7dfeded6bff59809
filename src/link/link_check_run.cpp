#include "link/link_check_run.h"

#include "link/port_resolution.h"

#include <functional>

namespace zkt {

std::string linkCheckRefusalText(const LinkCheckRefusal& refusal, std::string_view whereToChoose) {
    switch (refusal.why) {
    case LinkCheckRefusal::Why::transferRunning:
        return "A transfer is running. Test the connection once it has finished.";
    case LinkCheckRefusal::Why::portsWouldNotOpen:
        return "The MIDI ports could not be opened: " + refusal.detail;
    case LinkCheckRefusal::Why::noPortsChosen:
        break;
    }
    return "The MIDI ports could not be opened: choose a MIDI input and a MIDI output in " +
           std::string(whereToChoose);
}

std::string describeChosenPorts(const MidiSelection& selection, const MidiPort& port) {
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
           described(selection.midiInSelection > 0, [&] { return resolveInput(selection, port.inputNames()); }) +
           "\nMIDI Out: " +
           described(selection.midiOutSelection > 0, [&] { return resolveOutput(selection, port.outputNames()); });
}

bool LinkCheckRun::transferHoldsPorts() const {
    return m_engine.outcome().running() && !m_engine.retriesPaused();
}

std::optional<LinkCheckRefusal> LinkCheckRun::start() {
    if (running())
        return std::nullopt;
    if (transferHoldsPorts())
        return LinkCheckRefusal{LinkCheckRefusal::Why::transferRunning};
    try {
        m_engine.queue().openInput();
        m_engine.queue().openOutput();
    } catch (const MidiError& error) {
        return LinkCheckRefusal{LinkCheckRefusal::Why::portsWouldNotOpen, error.what()};
    }
    if (!m_port.isInputOpen() || !m_port.isOutputOpen())
        return LinkCheckRefusal{LinkCheckRefusal::Why::noPortsChosen};
    m_lastFinished = false;
    m_lastReport = {};
    m_check = std::make_unique<LinkCheck>(m_port, m_clock);
    return std::nullopt;
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
    endIfFinished();
}

void LinkCheckRun::drain() {
    if (!running())
        return;
    m_check->drain();
    endIfFinished();
}

void LinkCheckRun::endIfFinished() {
    if (!m_check->finished())
        return;
    stop();
    m_lastFinished = true;
}

} // namespace zkt
