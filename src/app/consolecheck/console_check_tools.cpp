#include "app/consolecheck/console_check_tools.h"

#include "check/check_texts.h"

#include <QMessageBox>

namespace zkt {

ConsoleCheckTools::ConsoleCheckTools(OrganSession& organ, const Clock& clock, const Document& document,
                                     ConsolePlayer player, std::function<bool()> runMidiSetup,
                                     QWidget* mainWindow, QString folder)
    : m_organ(organ), m_clock(clock), m_document(document), m_player(std::move(player)),
      m_runMidiSetup(std::move(runMidiSetup)), m_mainWindow(mainWindow), m_folder(std::move(folder)) {}

ConsoleCheckTools::~ConsoleCheckTools() {
    // The dialog lets the organ session's input go while the session is still there.
    delete m_dialog;
}

void ConsoleCheckTools::showCheck() {
    const bool running = m_dialog != nullptr && m_dialog->isRunning();
    if (!running && m_organ.busy()) {
        auto* box = new QMessageBox(
            QMessageBox::Information, QString::fromStdString(checktext::checkTitle()),
            QString::fromStdString(checktext::cannotListen({LinkCheckRefusal::Why::transferRunning}, {})),
            QMessageBox::Ok, m_mainWindow);
        box->setObjectName(QStringLiteral("msgConsoleCheckRefused"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    if (!m_organ.engine().selection().midiConfigured() && m_runMidiSetup())
        return;
    if (m_dialog == nullptr)
        m_dialog = new ConsoleCheckDialog(m_organ, m_clock, m_document, m_player, m_folder, m_mainWindow);
    m_dialog->present();
}

} // namespace zkt
