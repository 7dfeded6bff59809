#include "app/linktools/link_tools.h"

#include "link/port_resolution.h"

#include <QMessageBox>
#include <functional>

namespace zkt {

LinkTools::LinkTools(ObservedPort& port, const Clock& clock, TransferEngine& engine,
                     std::function<bool()> runMidiSetup, QWidget* mainWindow, QString folder)
    : m_port(port), m_clock(clock), m_engine(engine), m_runMidiSetup(std::move(runMidiSetup)), m_mainWindow(mainWindow), m_folder(std::move(folder)) {}

LinkTools::~LinkTools() {
    m_port.setObserver({});
}

void LinkTools::showMonitor() {
    if (m_monitor == nullptr) {
        // Its own top-level window, so that a dialog over the main window does not block it.
        m_monitor = std::make_unique<MidiMonitorWindow>(m_clock, m_folder);
        m_port.setObserver(
            [monitor = m_monitor.get()](const TrafficRecord& record) { monitor->record(record); });
    }
    m_monitor->show();
    m_monitor->raise();
    m_monitor->activateWindow();
}

void LinkTools::showLinkCheck() {
    if (transferRunning()) {
        QMessageBox::information(
            m_mainWindow, QStringLiteral("Test MIDI Connection"),
            QStringLiteral("A transfer is running. Test the connection once it has finished."));
        return;
    }
    if (!m_engine.selection().midiConfigured() && m_runMidiSetup())
        return;
    if (m_linkCheck == nullptr) {
        LinkCheckPorts ports;
        ports.open = [this] { return openPorts(); };
        ports.release = [this] { m_engine.queue().closeInput(); };
        ports.describe = [this] { return describePorts(); };
        m_linkCheck = new LinkCheckDialog(m_port, m_clock, std::move(ports), m_mainWindow);
    }
    m_linkCheck->present();
}

bool LinkTools::transferRunning() const {
    // A transfer whose progress was put away has stopped asking; it does not hold the ports.
    return m_engine.outcome().running() && !m_engine.retriesPaused();
}

std::optional<std::string> LinkTools::openPorts() {
    if (transferRunning())
        return "a transfer is running";
    try {
        m_engine.queue().openInput();
        m_engine.queue().openOutput();
    } catch (const MidiError& error) {
        return error.what();
    }
    if (!m_port.isInputOpen() || !m_port.isOutputOpen())
        return "choose a MIDI input and a MIDI output in Options > MIDI I/O Setup";
    return std::nullopt;
}

QString LinkTools::describePorts() const {
    const MidiSelection& selection = m_engine.selection();
    // The devices as the next open will find them, by their names.
    const auto described = [](bool chosen, const std::function<ResolvedPort()>& resolve) {
        if (!chosen)
            return QStringLiteral("none chosen");
        try {
            return QString::fromStdString(resolve().label);
        } catch (const MidiError& error) {
            return QString::fromStdString(error.what());
        }
    };
    const QString input = described(selection.midiInSelection > 0,
                                    [&] { return resolveInput(selection, m_port.inputNames()); });
    const QString output = described(selection.midiOutSelection > 0,
                                     [&] { return resolveOutput(selection, m_port.outputNames()); });
    return QStringLiteral("MIDI In: %1\nMIDI Out: %2").arg(input, output);
}

void LinkTools::tick() {
    m_linkCheck->tick();
}

void LinkTools::drain() {
    m_linkCheck->drain();
}

} // namespace zkt
