#pragma once
// The main window: menus, toolbar, start hints and one panel per manual. It shows the
// model; the commands it offers are carried out by whoever listens to its signals.

#include "app/mainwindow/panel_commands.h"
#include "model/config_model.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;

namespace zkt {

class ManualPanel;
class PistonOverview;

// What the start choice asked the main window to do when it is first activated.
enum class StartAction { none, loadFromDevice, openFile };

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int designWidthTwips = 14205;
    static constexpr int designHeightTwips = 10305;
    static constexpr int startHeightTwips = 8800;
    // Small enough for a 1280 x 720 screen at 1.5 times scaling; the manual panels scroll.
    static constexpr int minimumWidthTwips = 9600;
    static constexpr int minimumHeightTwips = 6000;

    // The four commands whose toolbar button and menu entry are enabled together.
    enum Command { openFile = 0, saveFile = 1, loadFromDevice = 2, writeToDevice = 3 };

    explicit MainWindow(const ConfigModel& model, QWidget* parent = nullptr);

    void setStartAction(StartAction action) { m_startAction = action; }
    StartAction startAction() const { return m_startAction; }
    void setDocumentationUrl(const QUrl& url) { m_documentationUrl = url; }
    const QUrl& documentationUrl() const { return m_documentationUrl; }
    // Asked before the window closes (close box or File > Exit); false keeps it open.
    void setCloseGuard(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }

    // Where the configuration shown comes from, for the title: a file name, or empty.
    void setDocumentName(const QString& name);
    // The Edit menu's Undo and Redo.
    void setHistoryActions(QAction* undo, QAction* redo);
    // File > Recent Configurations, newest first.
    void setRecentFiles(const QStringList& paths);
    // Enables the context menus' paste entries for what has been copied.
    void setPasteAvailable(bool piston, bool manualSettings, bool manual);

    void setCommandEnabled(Command command, bool enabled);
    bool isCommandEnabled(Command command) const;
    void enableStartCommands();
    void updatePistonButton(int pistonIndex);
    // Rings the piston's button and selects its overview row; -1 for none.
    void selectPiston(int pistonIndex);

    QTimer& transferTimer() { return m_transferTimer; }
    ManualPanel* panel(int manualIndex) const { return m_panels.at(manualIndex); }
    PistonOverview& pistonOverview() const { return *m_overview; }
    // What holds the manual panels; it scrolls when the window is smaller than they are.
    QScrollArea& manualArea() const;

    // Whatever changes the configuration calls refreshManualPanels (all of it) or
    // updatePistonButton (one piston); both bring the overview up to date as well.
    void refreshManualPanels();
    void enableAllCommands();
    void hideManualPanels();
    // Open, Load and Write wait while a transfer runs: nothing may cut into a write.
    void setTransferRunning(bool running);

    void showAbout();
    void viewOnlineDocs();
    // Every text of the window again, in the language now chosen.
    void retranslate();

signals:
    void openFileRequested();
    void saveFileRequested();
    void loadFromDeviceRequested();
    void writeToDeviceRequested();
    void midiSetupRequested();
    void printChartRequested();
    void restoreBackupRequested();
    void midiMonitorRequested();
    void linkCheckRequested();
    void consoleCheckRequested();
    // A .zkt file was dropped on the window, or chosen from the recent configurations.
    void configurationDropped(const QString& path);
    void recentFileChosen(const QString& path);
    void pistonClicked(int pistonIndex);
    void keyboardClicked(int manualIndex);
    void pistonCommandChosen(PistonCommand command, int pistonIndex);
    void manualCommandChosen(ManualCommand command, int manualIndex);
    // The window is closing: ports, settings and timer are to be dealt with now.
    void closing();
    // A language of Options > Language, by its code ("de").
    void languageChosen(const QString& language);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct CommandActions {
        QAction* toolbar = nullptr;
        QAction* menu = nullptr;
    };

    // What the window's texts are set on.
    struct MenuActions {
        QMenu* file = nullptr;
        QMenu* view = nullptr;
        QMenu* options = nullptr;
        QMenu* languages = nullptr;
        QMenu* help = nullptr;
        QAction* exit = nullptr;
        QAction* midiSetup = nullptr;
        QAction* monitor = nullptr;
        QAction* linkCheck = nullptr;
        QAction* consoleCheck = nullptr;
        QAction* docs = nullptr;
        QAction* about = nullptr;
        QAction* midiButton = nullptr;
        QToolBar* toolbar = nullptr;
    };

    void buildMenus();
    void buildLanguageMenu(QMenu* languages);
    void setCommandShortcuts(QAction& exitAction, QAction& docsAction);
    void buildToolbar();
    void buildHints();
    void buildManualPanels();
    void buildPistonOverview();
    void highlightPistonButton(int pistonIndex);
    // A shown manual's title and its pistons' buttons, from the model in the current language.
    void drawPanelTexts(int manualIndex);
    // Keeps the central area tall enough for what it shows down to this line, so that the
    // overview dock never covers a panel.
    void reserveCentralHeight(int bottomTwips);
    // The panels never need more than their height: the rest of a taller window goes to the
    // overview when it lies below them.
    void giveSpareHeightToOverview();
    void setStartHintsVisible(bool visible);
    void applyCommandState(Command command);
    void runStartAction();

    const ConfigModel& m_model;
    MenuActions m_menuActions;
    QString m_documentName;
    std::array<CommandActions, 4> m_commands{};
    std::array<bool, 4> m_commandWanted{};
    bool m_transferRunning = false;
    QMenu* m_editMenu = nullptr;
    QAction* m_restoreBackup = nullptr;
    QMenu* m_recentMenu = nullptr;
    // The manual panels and the start hints sit on it, inside the scroll area.
    QWidget* m_canvas = nullptr;
    std::array<ManualPanel*, maxManuals> m_panels{};
    PistonOverview* m_overview = nullptr;
    QAction* m_printChart = nullptr;
    std::array<QLabel*, 4> m_hints{};
    QFrame* m_instructionsFrame = nullptr;
    QFrame* m_startFrame = nullptr;
    QTimer m_transferTimer;
    StartAction m_startAction = StartAction::none;
    QUrl m_documentationUrl;
    std::function<bool()> m_mayClose;
};

// The About box's lines: program, version, notice, and the firmware version when one is known.
QString aboutText(const ConfigModel& model);

} // namespace zkt
