#pragma once
// Everything the user changes in the configuration from the main window: the two editors,
// the labels typed into the piston overview, and copy, paste and clear on the context menus. Each change goes
// into the undo history as one step; an editor closed without a change, or a paste of what was already there,
// is none.

#include "app/mainwindow/panel_commands.h"
#include "model/config_clipboard.h"
#include "model/config_model.h"

#include <QObject>

namespace zkt {

class ConfigHistory;
class KeyboardEditor;
class MainWindow;
class PistonEditor;

class ConfigEditing : public QObject {
    Q_OBJECT
public:
    // Listens to the window's piston buttons, keyboard pictures and their context menus.
    ConfigEditing(ConfigModel& model, ConfigHistory& history, MainWindow& window);

    void editPiston(int pistonIndex);
    void editKeyboard(int manualIndex);
    // A label typed into the piston overview.
    void setPistonLabel(int pistonIndex, const QString& label);
    void runPistonCommand(PistonCommand command, int pistonIndex);
    void runManualCommand(ManualCommand command, int manualIndex);

private:
    // The manual's settings, and with withPistons its 20 pistons too.
    void copyManual(int manualIndex, bool withPistons);
    void pasteManual(int manualIndex, bool withPistons);
    void offerPaste();

    ConfigModel& m_model;
    ConfigHistory& m_history;
    MainWindow& m_window;
    ConfigClipboard m_clipboard;
    PistonEditor* m_pistonEditor = nullptr;     // child of the main window
    KeyboardEditor* m_keyboardEditor = nullptr; // child of the main window
};

} // namespace zkt
