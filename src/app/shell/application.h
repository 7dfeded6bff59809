#pragma once
// The running program: owns the model, the settings, the log, the device link and the
// windows, and carries the user from the splash through the start choice to the main
// window and, at the end, saves what has to survive.

#include "app/consolecheck/console_check_tools.h"
#include "app/device/device_port.h"
#include "app/device/device_writing.h"
#include "app/device/status_window.h"
#include "app/device/transfer_view.h"
#include "app/document/document_controller.h"
#include "app/document/recovery_keeper.h"
#include "app/linktools/link_tools.h"
#include "app/mainwindow/main_window.h"
#include "app/shell/app_paths.h"
#include "app/shell/app_settings.h"
#include "app/shell/recent_files.h"
#include "app/shell/start_choice_window.h"
#include "app/shell/window_language.h"
#include "document/document.h"
#include "link/clock.h"
#include "link/observed_port.h"
#include "link/organ_session.h"
#include "link/transfer_engine.h"
#include "model/config_model.h"
#include "settings/program_log.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

class QMessageBox;

namespace zkt {

class ConfigEditing;
class ConfigHistory;
class MidiSetupDialog;
class SplashWindow;

struct ApplicationOptions {
    int splashMs = 3500;
    // Off in tests: the real MIDI system is left alone and only the simulation is offered.
    bool useHardwareMidi = true;
    // The link's time; null: the steady clock. Tests step a manual clock.
    const Clock* clock = nullptr;
    // The MCUs of the built-in simulated chain ("ZKT simulator (3 manuals)").
    int simulatedManuals = DevicePort::defaultSimulatedManuals;
    // How soon after a change the recovery copy is renewed.
    std::chrono::milliseconds recoveryDelay = RecoveryKeeper::defaultDelay;
};

class Application : public QObject {
    Q_OBJECT
public:
    Application(AppPaths paths, ApplicationOptions options = {});
    ~Application() override;

    // Shows the splash; the rest follows from the user's choices. Changes a run before this one
    // left unsaved are offered back first.
    void start();
    // Started with a file: no splash and no start choice, the main window with the file open.
    void startWithFile(const QString& path);
    // A file given from outside (a later launch, a drop on the window): the main window comes
    // to the front and opens it, once any unsaved changes have been dealt with.
    void openFromOutside(const QString& path);
    // File > Recent Configurations; a file that is gone leaves the list with a message.
    void openRecentFile(const QString& path);
    // The one-time initialisation; later calls return at once.
    void initialiseApplication();
    // A later launch asked this one to come to the front.
    void bringToFront();

    void chooseStart(StartAction action);
    void loadFromDevice();
    void writeToDevice();
    // Answers whether the dialog ended with Cancel. portsNeeded: a command waits for the ports.
    bool runMidiSetup(bool portsNeeded = false);
    // The main window's 100 ms timer.
    void transferTick();
    // Lets the simulated chain catch up with the clock (every few milliseconds while it works).
    void simulationStep();

    ConfigModel& model() { return m_model; }
    TransferEngine& engine() { return m_organ->engine(); }
    OrganSession& organ() { return *m_organ; }
    DeviceWriting& writing() { return *m_writing; }
    MainWindow& mainWindow() { return *m_mainWindow; }
    StatusWindow& statusWindow() { return *m_statusWindow; }
    ConfigHistory& history() { return *m_history; }
    Document& configuration() { return m_configuration; }
    StartChoiceWindow& startChoiceWindow() { return *m_startChoice; }
    DevicePort& port() { return *m_port; }
    LinkTools& linkTools() { return *m_linkTools; }
    ConsoleCheckTools& consoleCheck() { return *m_consoleCheck; }
    const AppPaths& paths() const { return m_paths; }
    const QString& lastFolder() const { return m_document->lastFolder(); }
    DocumentController& document() { return *m_document; }
    const RecentFiles& recentFiles() const { return m_recentFiles; }
    ProgramLog& log() { return m_log; }

private:
    // Asks about changes an earlier run ended without saving; true when they are shown now.
    bool recoverUnsavedChanges();
    void showStartChoice();
    // Straight to the main window: the splash and the start choice will not come back.
    void skipStartChoice();
    void prepareMainWindow();
    // A file was opened or saved: it heads the recent configurations.
    void rememberRecentFile(const QString& path);
    // Into the settings file at once, and into the menu.
    void storeRecentFiles();
    // Choices the settings file could not keep are said, once each, beside the work at hand;
    // answers the message shown, or null when there was nothing to say.
    QMessageBox* tellLostSettings(QWidget* parent);
    void readInstrumentNames();
    void programEnd();
    // Options > Language: kept, and every window's texts in it at once.
    void chooseLanguage(const std::string& language);
    void saveSettings();
    void closePorts();
    void reportMidiTrouble(const std::string& text);
    // What the console check's dialog plays on the simulated chain.
    ConsolePlayer simulatedConsole();
    // The session's tick, and the window's timer kept in step with it.
    void runTick();

    AppPaths m_paths;
    ApplicationOptions m_options;
    ProgramLog m_log;
    AppSettings m_settings;
    // Before the first window: every text is made in this language.
    WindowLanguage m_language{m_settings.language()};
    ConfigModel m_model;
    // The configuration as a document: the history, the file, the commands, the open editor.
    Document m_configuration{m_model};
    std::unique_ptr<ConfigHistory> m_history;
    SteadyClock m_steadyClock;
    const Clock& m_clock;
    std::unique_ptr<DevicePort> m_port;
    // What the link uses: the devices, watched by the MIDI monitor.
    std::unique_ptr<ObservedPort> m_observedPort;
    // The link, deleted first, reports to the windows.
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<StartChoiceWindow> m_startChoice;
    std::unique_ptr<TransferView> m_transferView;
    // The organ: the transfer engine, the safe write and the connection test on the chosen ports.
    std::unique_ptr<OrganSession> m_organ;
    std::unique_ptr<DocumentController> m_document;
    std::unique_ptr<RecoveryKeeper> m_recoveryKeeper;
    std::unique_ptr<DeviceWriting> m_writing;
    std::unique_ptr<LinkTools> m_linkTools;
    // Deleted before the organ session, whose input its check may hold.
    std::unique_ptr<ConsoleCheckTools> m_consoleCheck;
    std::unique_ptr<SplashWindow> m_splash;
    StatusWindow* m_statusWindow = nullptr; // owned by the main window
    MidiSetupDialog* m_midiSetup = nullptr; // child of the main window
    ConfigEditing* m_editing = nullptr;     // child of the main window
    QTimer m_simulationTimer;
    RecentFiles m_recentFiles;
    // A file handed over while a dialog was open waits for the dialog to close; the latest wins.
    QString m_waitingOutsideFile;
    QTimer m_outsideFileTimer;
    bool m_applicationInitialised = false;
    bool m_choiceShown = false;
    bool m_mainWindowLoaded = false;
    bool m_ended = false;
};

} // namespace zkt
