#pragma once
// The main window: menus, toolbar, start hints and one panel per manual. It shows the
// model; the commands it offers are carried out by whoever listens to its signals.

#include "link/transfer_ui.h"
#include "model/config_model.h"

#include <QMainWindow>
#include <QTimer>
#include <QUrl>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;

namespace zkt {

class ManualPanel;

// What the start choice asked the main window to do when it is first activated.
enum class StartAction { none, loadFromDevice, openFile };

class MainWindow : public QMainWindow, public MainWindowHooks {
    Q_OBJECT
public:
    static constexpr int designWidthTwips = 14205;
    static constexpr int designHeightTwips = 10305;
    static constexpr int startHeightTwips = 8800;

    // The four commands whose toolbar button and menu entry are enabled together.
    enum Command { openFile = 0, saveFile = 1, loadFromDevice = 2, writeToDevice = 3 };

    explicit MainWindow(const ConfigModel& model, QWidget* parent = nullptr);

    void setStartAction(StartAction action) { m_startAction = action; }
    StartAction startAction() const { return m_startAction; }
    void setDocumentationUrl(const QUrl& url) { m_documentationUrl = url; }
    void setMidiSetupAction(std::function<bool()> showMidiSetup) {
        m_showMidiSetup = std::move(showMidiSetup);
    }

    void setCommandEnabled(Command command, bool enabled);
    bool isCommandEnabled(Command command) const;
    void enableStartCommands();
    void updatePistonButton(int pistonIndex);

    QTimer& transferTimer() { return m_transferTimer; }
    ManualPanel* panel(int manualIndex) const { return m_panels.at(manualIndex); }
    QRect panelGeometry(int manualIndex) const;

    // MainWindowHooks
    void refreshManualPanels() override;
    void enableAllCommands() override;
    void hideManualPanels() override;
    bool showMidiSetup() override;

    void showAbout();
    void viewOnlineDocs();

signals:
    void openFileRequested();
    void saveFileRequested();
    void loadFromDeviceRequested();
    void writeToDeviceRequested();
    void midiSetupRequested();
    void midiMonitorRequested();
    void linkCheckRequested();
    void pistonClicked(int pistonIndex);
    void keyboardClicked(int manualIndex);
    // The window is closing: ports, settings and timer are to be dealt with now.
    void closing();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct CommandActions {
        QAction* toolbar = nullptr;
        QAction* menu = nullptr;
    };

    void buildMenus();
    void buildToolbar();
    void buildHints();
    void buildManualPanels();
    void setStartHintsVisible(bool visible);
    void runStartAction();

    const ConfigModel& m_model;
    std::array<CommandActions, 4> m_commands{};
    std::array<ManualPanel*, maxManuals> m_panels{};
    std::array<QLabel*, 4> m_hints{};
    QFrame* m_instructionsFrame = nullptr;
    QFrame* m_startFrame = nullptr;
    QTimer m_transferTimer;
    StartAction m_startAction = StartAction::none;
    QUrl m_documentationUrl;
    std::function<bool()> m_showMidiSetup;
};

// The About box's lines: program, version, notice, and the firmware version when one is known.
QString aboutText(const ConfigModel& model);

} // namespace zkt
