#pragma once
// Options > Check the Console…: the console check's dialog over the main window, refused while a
// transfer or the connection test holds the link, and after the MIDI setup where no ports are
// chosen yet.

#include "app/consolecheck/console_check_dialog.h"

#include <QPointer>
#include <functional>

namespace zkt {

class ConsoleCheckTools {
public:
    // runMidiSetup answers whether the dialog was cancelled; folder: where reports are saved.
    ConsoleCheckTools(OrganSession& organ, const Clock& clock, const Document& document, ConsolePlayer player,
                      std::function<bool()> runMidiSetup, QWidget* mainWindow, QString folder);
    ~ConsoleCheckTools();
    ConsoleCheckTools(const ConsoleCheckTools&) = delete;
    ConsoleCheckTools& operator=(const ConsoleCheckTools&) = delete;

    void showCheck();
    // Null until first shown.
    ConsoleCheckDialog* dialog() const { return m_dialog; }

private:
    OrganSession& m_organ;
    const Clock& m_clock;
    const Document& m_document;
    ConsolePlayer m_player;
    std::function<bool()> m_runMidiSetup;
    QWidget* m_mainWindow;
    QString m_folder;
    QPointer<ConsoleCheckDialog> m_dialog; // child of the main window
};

} // namespace zkt
