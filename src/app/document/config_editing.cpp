#include "app/document/config_editing.h"

#include "app/mainwindow/main_window.h"
#include "app/mainwindow/manual_panel.h"
#include "app/mainwindow/piston_overview.h"
#include "document/document.h"
#include "editors/keyboard_editor.h"
#include "editors/piston_editor.h"

namespace zkt {

ConfigEditing::ConfigEditing(Document& document, MainWindow& window)
    : QObject(&window), m_document(document), m_window(window) {
    connect(&window, &MainWindow::pistonClicked, this, &ConfigEditing::editPiston);
    connect(&window, &MainWindow::keyboardClicked, this, &ConfigEditing::editKeyboard);
    connect(&window, &MainWindow::pistonCommandChosen, this, &ConfigEditing::runPistonCommand);
    connect(&window, &MainWindow::manualCommandChosen, this, &ConfigEditing::runManualCommand);
    connect(&window.pistonOverview().rows(), &PistonOverviewModel::labelEdited, this,
            &ConfigEditing::setPistonLabel);
}

void ConfigEditing::editPiston(int pistonIndex) {
    if (m_pistonEditor == nullptr) {
        m_pistonEditor = new PistonEditor(
            m_document.model(), [this](int saved) { m_window.updatePistonButton(saved); }, &m_window);
        m_pistonEditor->setManualRowLocator([this](int manualIndex) {
            const QWidget* panel = m_window.panel(manualIndex);
            return QRect(panel->mapToGlobal(QPoint(0, 0)), panel->size());
        });
    }
    if (PistonForm* form = m_document.openPistonEditor(pistonIndex))
        m_pistonEditor->edit(*form, [this] { return !m_document.savePistonEditor(); });
    m_document.closeEditors();
}

void ConfigEditing::editKeyboard(int manualIndex) {
    if (m_keyboardEditor == nullptr)
        m_keyboardEditor = new KeyboardEditor(m_document.model(), &m_window);
    if (KeyboardForm* form = m_document.openKeyboardEditor(manualIndex))
        m_keyboardEditor->edit(*form, [this] { return !m_document.saveKeyboardEditor(); });
    m_document.closeEditors();
}

void ConfigEditing::setPistonLabel(int pistonIndex, const QString& label) {
    // What a line edit gives is always text, so the label is never refused here.
    m_document.setPistonLabel(pistonIndex, label.toStdString());
}

void ConfigEditing::runPistonCommand(PistonCommand command, int pistonIndex) {
    switch (command) {
    case PistonCommand::copy:
        m_document.copyPiston(pistonIndex);
        offerPaste();
        break;
    case PistonCommand::paste:
        m_document.pastePiston(pistonIndex);
        break;
    case PistonCommand::clear:
        m_document.clearPiston(pistonIndex);
        break;
    }
}

void ConfigEditing::runManualCommand(ManualCommand command, int manualIndex) {
    switch (command) {
    case ManualCommand::copySettings:
        m_document.copyManualSettings(manualIndex);
        offerPaste();
        break;
    case ManualCommand::copyManual:
        m_document.copyManual(manualIndex);
        offerPaste();
        break;
    case ManualCommand::pasteSettings:
        m_document.pasteManualSettings(manualIndex);
        break;
    case ManualCommand::pasteManual:
        m_document.pasteManual(manualIndex);
        break;
    }
}

void ConfigEditing::offerPaste() {
    const ConfigClipboard& clipboard = m_document.clipboard();
    m_window.setPasteAvailable(clipboard.holdsPiston(), clipboard.holdsManualSettings(),
                               clipboard.holdsManual());
}

} // namespace zkt
