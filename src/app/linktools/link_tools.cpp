#include "app/linktools/link_tools.h"

#include "i18n/tr.h"

#include <QMessageBox>
#include <functional>

namespace zkt {

LinkTools::LinkTools(ObservedPort& port, const Clock& clock, OrganSession& organ,
                     std::function<bool()> runMidiSetup, QWidget* mainWindow, QString folder)
    : m_port(port), m_clock(clock), m_organ(organ), m_runMidiSetup(std::move(runMidiSetup)),
      m_mainWindow(mainWindow), m_folder(std::move(folder)) {}

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
    if (m_organ.linkCheck().transferHoldsPorts()) {
        QMessageBox::information(
            m_mainWindow, QString::fromStdString(zkt::tr("Test MIDI Connection")),
            QString::fromStdString(linkCheckRefusalText({LinkCheckRefusal::Why::transferRunning}, {})));
        return;
    }
    if (const auto refusal = m_organ.transferRefusal()) {
        QMessageBox::information(m_mainWindow, QString::fromStdString(zkt::tr("Test MIDI Connection")),
                                 QString::fromStdString(*refusal));
        return;
    }
    if (!m_organ.engine().selection().midiConfigured() && m_runMidiSetup())
        return;
    if (m_linkCheck == nullptr) {
        m_linkCheck = new LinkCheckDialog(
            m_organ.linkCheck(),
            [this] {
                return QString::fromStdString(describeChosenPorts(m_organ.engine().selection(), m_port));
            },
            m_mainWindow);
    }
    m_linkCheck->present();
}

void LinkTools::showCheckProgress() {
    if (m_linkCheck != nullptr)
        m_linkCheck->showProgress();
}

} // namespace zkt
