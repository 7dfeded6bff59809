#pragma once
// The Options menu's view of the MIDI loop: the MIDI monitor and the connection test. The
// test borrows the transfer engine's ports while it runs, and meanwhile gets the ticks and
// the received messages in the engine's place.

#include "app/linktools/link_check_dialog.h"
#include "app/linktools/midi_monitor_window.h"
#include "link/clock.h"
#include "link/observed_port.h"
#include "link/transfer_engine.h"

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
    LinkTools(ObservedPort& port, const Clock& clock, TransferEngine& engine, std::function<bool()> runMidiSetup,
              QWidget* mainWindow, QString folder);
    ~LinkTools();
    LinkTools(const LinkTools&) = delete;
    LinkTools& operator=(const LinkTools&) = delete;

    void showMonitor();
    void showLinkCheck();

    bool checkRunning() const { return m_linkCheck != nullptr && m_linkCheck->isRunning(); }
    void tick();
    void drain();

    MidiMonitorWindow* monitor() const { return m_monitor.get(); }
    LinkCheckDialog* linkCheck() const { return m_linkCheck; }

private:
    bool transferRunning() const;
    std::optional<std::string> openPorts();
    QString describePorts() const;

    ObservedPort& m_port;
    const Clock& m_clock;
    TransferEngine& m_engine;
    std::function<bool()> m_runMidiSetup;
    QWidget* m_mainWindow;
    QString m_folder;
    std::unique_ptr<MidiMonitorWindow> m_monitor;
    LinkCheckDialog* m_linkCheck = nullptr; // child of the main window
};

} // namespace zkt
