#pragma once
// The Options menu's view of the MIDI loop: the MIDI monitor and the connection test, which the
// organ session runs on its ports while no transfer holds them.

#include "app/linktools/link_check_dialog.h"
#include "app/linktools/midi_monitor_window.h"
#include "link/clock.h"
#include "link/observed_port.h"
#include "link/organ_session.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace zkt {

class LinkTools {
public:
    // runMidiSetup answers whether the dialog was cancelled; folder: where the monitor saves.
    LinkTools(ObservedPort& port, const Clock& clock, OrganSession& organ, std::function<bool()> runMidiSetup,
              QWidget* mainWindow, QString folder);
    ~LinkTools();
    LinkTools(const LinkTools&) = delete;
    LinkTools& operator=(const LinkTools&) = delete;

    void showMonitor();
    void showLinkCheck();

    bool checkRunning() const { return m_organ.linkCheck().running(); }
    // After the session's tick or a received message: the test as it stands.
    void showCheckProgress();

    MidiMonitorWindow* monitor() const { return m_monitor.get(); }
    LinkCheckDialog* linkCheck() const { return m_linkCheck; }

private:
    ObservedPort& m_port;
    const Clock& m_clock;
    OrganSession& m_organ;
    std::function<bool()> m_runMidiSetup;
    QWidget* m_mainWindow;
    QString m_folder;
    std::unique_ptr<MidiMonitorWindow> m_monitor;
    LinkCheckDialog* m_linkCheck = nullptr; // child of the main window
};

} // namespace zkt
