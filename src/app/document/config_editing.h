#pragma once
// Everything the user changes in the configuration from the main window: the two editors, the
// labels typed into the piston overview, and copy, paste and clear on the context menus. The
// document (document/document.h) makes each one step and holds the open editor; this shows the
// dialogs over it and keeps the window's buttons and menus in step.

#include "app/mainwindow/panel_commands.h"

#include <QObject>

namespace zkt {

class Document;
class KeyboardEditor;
class MainWindow;
class PistonEditor;

class ConfigEditing : public QObject {
    Q_OBJECT
public:
    // Listens to the window's piston buttons, keyboard pictures and their context menus.
    ConfigEditing(Document& document, MainWindow& window);

    void editPiston(int pistonIndex);
    void editKeyboard(int manualIndex);
    // A label typed into the piston overview.
    void setPistonLabel(int pistonIndex, const QString& label);
    void runPistonCommand(PistonCommand command, int pistonIndex);
    void runManualCommand(ManualCommand command, int manualIndex);

private:
    void offerPaste();

    Document& m_document;
    MainWindow& m_window;
    PistonEditor* m_pistonEditor = nullptr;     // child of the main window
    KeyboardEditor* m_keyboardEditor = nullptr; // child of the main window
};

} // namespace zkt
