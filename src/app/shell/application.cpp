#include "app/shell/application.h"

#include "i18n/language.h"
#include "i18n/tr.h"

#include "app/device/hardware_midi.h"
#include "app/device/midi_setup_dialog.h"
#include "app/document/config_editing.h"
#include "app/document/config_history.h"
#include "app/document/file_dialogs.h"
#include "app/document/recovery_question.h"
#include "app/mainwindow/piston_overview.h"
#include "app/shell/splash_window.h"
#include "app/shell/window_placement.h"
#include "model/backup_store.h"
#include "model/vocabulary.h"
#include "settings/user_folders.h"
#include "widgets/twips.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTextStream>
#include <QTime>

namespace zkt {

namespace {

constexpr int simulationStepMs = 5;
constexpr int outsideFileRetryMs = 250;

// The user guide as a page with its pictures, installed beside the program or built with it;
// else its text, installed or in the source tree the program was built from. In another
// language its first pages in that language (user-guide.de.html), where they are there.
QUrl userGuideUrl(const QString& programFolder, std::string_view language) {
    const QStringList english = {
        programFolder + QStringLiteral("/../share/doc/zktconfig/user-guide.html"),
        QStringLiteral(ZKT_BUILD_GUIDE),
        programFolder + QStringLiteral("/../share/doc/zktconfig/user-guide.md"),
        programFolder + QStringLiteral("/docs/user-guide.md"),
        QStringLiteral(ZKT_SOURCE_DIR "/docs/user-guide.md"),
    };
    QStringList candidates;
    if (language != englishLanguage) {
        const QString code = QString::fromUtf8(language.data(), static_cast<qsizetype>(language.size()));
        for (const QString& candidate : english) {
            const qsizetype dot = candidate.lastIndexOf(QLatin1Char('.'));
            candidates << candidate.left(dot) + QLatin1Char('.') + code + candidate.mid(dot);
        }
    }
    candidates << english << QStringLiteral(ZKT_SOURCE_DIR "/README.md");
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return QUrl::fromLocalFile(QFileInfo(candidate).absoluteFilePath());
    }
    return {};
}

// Not modal: the link reports from inside a timer tick, where a nested event loop would let the
// next tick run before this one has finished; and settings that could not be saved stop no work.
QMessageBox* showNotice(QMessageBox::Icon icon, const std::string& text, QWidget* parent) {
    auto* box = new QMessageBox(icon, QStringLiteral("ZKTConfig"), QString::fromStdString(text),
                                QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    return box;
}

} // namespace

Application::Application(AppPaths paths, ApplicationOptions options)
    : m_paths(std::move(paths)), m_options(options), m_log(m_paths.logFile().toStdString()),
      m_settings(m_paths.settingsFile().toStdString(), m_log),
      m_clock(options.clock != nullptr ? *options.clock : m_steadyClock) {
    // RtMidi reports trouble from its own thread; the log and the status window are this one's.
    const auto midiTrouble = [this](const std::string& text) {
        QMetaObject::invokeMethod(
            this, [this, text] { reportMidiTrouble(text); }, Qt::QueuedConnection);
    };
    m_port = std::make_unique<DevicePort>(m_options.useHardwareMidi ? openHardwareMidi(midiTrouble) : nullptr,
                                          m_clock, m_options.simulatedManuals);
    m_observedPort = std::make_unique<ObservedPort>(*m_port, m_clock);
    m_history = std::make_unique<ConfigHistory>(m_configuration.history());
    m_mainWindow = std::make_unique<MainWindow>(m_model);
    m_statusWindow = new StatusWindow(m_mainWindow.get());
    m_startChoice = std::make_unique<StartChoiceWindow>();
    m_editing = new ConfigEditing(m_configuration, *m_mainWindow);

    LinkNotices notices;
    notices.log = [this](const std::string& line) { m_log.writeLog(line); };
    notices.userMessage = [this](const std::string& text) {
        showNotice(QMessageBox::Information, text, m_mainWindow.get());
    };
    m_transferView =
        std::make_unique<TransferView>(*m_mainWindow, *m_statusWindow, [this] { return runMidiSetup(true); });
    m_organ = std::make_unique<OrganSession>(m_model, m_model, *m_observedPort, m_clock, *m_transferView,
                                             notices, [](const std::vector<Bytes>& images) {
                                                 return saveBackup(backupsFolder(), images,
                                                                   std::chrono::system_clock::now());
                                             });
    m_writing = std::make_unique<DeviceWriting>(*m_organ, m_model, m_mainWindow.get());
    m_linkTools = std::make_unique<LinkTools>(
        *m_observedPort, m_clock, *m_organ, [this] { return runMidiSetup(true); }, m_mainWindow.get(),
        m_paths.documentsFolder);
    m_consoleCheck = std::make_unique<ConsoleCheckTools>(
        *m_organ, m_clock, m_configuration, simulatedConsole(), [this] { return runMidiSetup(true); },
        m_mainWindow.get(), m_paths.documentsFolder);

    connect(m_statusWindow, &StatusWindow::closedByUser, this,
            [this](bool releaseInput) { m_organ->engine().dismissProgress(releaseInput); });
    connect(m_statusWindow, &StatusWindow::cancelRequested, this, [this] { m_organ->cancel(); });
    m_document = std::make_unique<DocumentController>(
        m_configuration, *m_mainWindow, *m_statusWindow, m_organ->engine(),
        [this](const QString& path) { rememberRecentFile(path); });
    m_document->lastFolder() = m_paths.documentsFolder;
    m_recoveryKeeper = std::make_unique<RecoveryKeeper>(
        m_model, *m_history, *m_document, RecoveryCopy(m_paths.recoveryFolder),
        [this](const std::string& line) { m_log.writeLog(line); }, m_options.recoveryDelay);
    connect(m_transferView.get(), &TransferView::finished, m_document.get(),
            &DocumentController::transferFinished);
    m_mainWindow->setDocumentationUrl(userGuideUrl(m_paths.programFolder, currentLanguage()));
    m_mainWindow->setCloseGuard(
        [this] { return m_document->maySetAsideChanges(documenttext::SetAside::closing); });
    m_mainWindow->setHistoryActions(m_history->newUndoAction(m_mainWindow.get()),
                                    m_history->newRedoAction(m_mainWindow.get()));
    connect(m_history.get(), &ConfigHistory::cleanChanged, m_mainWindow.get(),
            [this](bool clean) { m_mainWindow->setWindowModified(!clean); });
    connect(m_history.get(), &ConfigHistory::configurationReplaced, m_mainWindow.get(),
            &MainWindow::refreshManualPanels);

    // Received messages may be announced from a MIDI backend thread; the engine only ever
    // runs on this one.
    m_port->setReceiveNotifier([this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_organ->drainReceived();
                m_linkTools->showCheckProgress();
            },
            Qt::QueuedConnection);
    });

    connect(m_startChoice.get(), &StartChoiceWindow::loadFromDeviceChosen, this,
            [this] { chooseStart(StartAction::loadFromDevice); });
    connect(m_startChoice.get(), &StartChoiceWindow::openFileChosen, this,
            [this] { chooseStart(StartAction::openFile); });
    // Leaving here ends the program at once: nothing has been worked on, nothing is saved.
    connect(m_startChoice.get(), &StartChoiceWindow::exitChosen, this, [] { QCoreApplication::exit(0); });

    MainWindow* main = m_mainWindow.get();
    DocumentController* document = m_document.get();
    connect(main, &MainWindow::openFileRequested, document, &DocumentController::openWithDialog);
    connect(main, &MainWindow::saveFileRequested, document, &DocumentController::save);
    connect(main, &MainWindow::loadFromDeviceRequested, this, &Application::loadFromDevice);
    connect(main, &MainWindow::writeToDeviceRequested, this, &Application::writeToDevice);
    connect(main, &MainWindow::midiSetupRequested, this, [this] { runMidiSetup(); });
    connect(main, &MainWindow::printChartRequested, document, &DocumentController::printChart);
    connect(main, &MainWindow::restoreBackupRequested, document, &DocumentController::restoreBackup);
    connect(main, &MainWindow::midiMonitorRequested, this, [this] { m_linkTools->showMonitor(); });
    connect(main, &MainWindow::linkCheckRequested, this, [this] { m_linkTools->showLinkCheck(); });
    connect(main, &MainWindow::consoleCheckRequested, this, [this] { m_consoleCheck->showCheck(); });
    connect(main, &MainWindow::configurationDropped, this, &Application::openFromOutside);
    connect(main, &MainWindow::recentFileChosen, this, &Application::openRecentFile);
    connect(main, &MainWindow::closing, this, &Application::programEnd);
    connect(main, &MainWindow::languageChosen, this,
            [this](const QString& language) { chooseLanguage(language.toStdString()); });
    connect(&main->transferTimer(), &QTimer::timeout, this, &Application::transferTick);

    m_outsideFileTimer.setInterval(outsideFileRetryMs);
    connect(&m_outsideFileTimer, &QTimer::timeout, this, [this] {
        if (QApplication::activeModalWidget() != nullptr)
            return;
        m_outsideFileTimer.stop();
        openFromOutside(std::exchange(m_waitingOutsideFile, {}));
    });
    m_simulationTimer.setInterval(simulationStepMs);
    connect(&m_simulationTimer, &QTimer::timeout, this, &Application::simulationStep);
}

Application::~Application() = default;

void Application::start() {
    if (recoverUnsavedChanges())
        return;
    m_splash = std::make_unique<SplashWindow>(m_options.splashMs);
    connect(m_splash.get(), &SplashWindow::finished, this, &Application::showStartChoice);
    initialiseApplication();
    centreOnScreen(*m_splash);
    m_splash->show();
}

void Application::startWithFile(const QString& path) {
    // The title, the recent list and the next save all name the file wherever it was given from.
    const QString file = QFileInfo(path).absoluteFilePath();
    if (recoverUnsavedChanges()) {
        // The recovered changes are asked about before the file replaces them.
        openFromOutside(file);
        return;
    }
    skipStartChoice();
    m_document->open(file);
}

bool Application::recoverUnsavedChanges() {
    const RecoveryCopy copy(m_paths.recoveryFolder);
    const std::optional<UnsavedChanges> changes = copy.find();
    if (!changes)
        return false;
    if (askToRecover(nullptr, *changes) == RecoveryAnswer::discard) {
        copy.remove();
        return false;
    }
    skipStartChoice();
    // Changes that cannot be read are said so over the main window, which is there either way.
    m_document->openRecovered(*changes);
    return true;
}

void Application::skipStartChoice() {
    m_choiceShown = true;
    if (m_splash != nullptr)
        m_splash->hide();
    chooseStart(StartAction::none);
}

void Application::openFromOutside(const QString& path) {
    bringToFront();
    // An editor or a question is open over the configuration: it is not replaced under them.
    if (QApplication::activeModalWidget() != nullptr) {
        m_waitingOutsideFile = path;
        m_outsideFileTimer.start();
        return;
    }
    if (!m_mainWindowLoaded)
        skipStartChoice();
    if (m_organ->engine().busy()) {
        QMessageBox::information(m_mainWindow.get(), QStringLiteral("ZKTConfig"),
                                 QStringLiteral("%1 was not opened: a transfer with the ZKT is running. "
                                                "Open it again when the transfer has finished.")
                                     .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (m_document->maySetAsideChanges(documenttext::SetAside::openingFile, fileNameOf(path)))
        m_document->open(path);
}

void Application::openRecentFile(const QString& path) {
    if (!QFileInfo::exists(path)) {
        m_recentFiles.remove(path);
        storeRecentFiles();
        QMessageBox::warning(
            m_mainWindow.get(), QStringLiteral("ZKTConfig"),
            QString::fromStdString(zkt::tr("The configuration file %1 no longer exists. It has been removed "
                                           "from the recent configurations."))
                .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (m_document->maySetAsideChanges(documenttext::SetAside::openingAnother))
        m_document->open(path);
}

void Application::rememberRecentFile(const QString& path) {
    m_recentFiles.add(path);
    storeRecentFiles();
}

void Application::storeRecentFiles() {
    m_settings.writeRecentFiles(m_recentFiles);
    m_mainWindow->setRecentFiles(m_recentFiles.paths());
    tellLostSettings(m_mainWindow.get());
}

QMessageBox* Application::tellLostSettings(QWidget* parent) {
    const std::optional<std::string> lost = m_settings.lostChoicesMessage();
    return lost ? showNotice(QMessageBox::Warning, *lost, parent) : nullptr;
}

void Application::initialiseApplication() {
    if (std::exchange(m_applicationInitialised, true))
        return;
    m_log.setEnabled(m_settings.logEnabled());
    const QLocale locale = QLocale::system();
    m_log.writeLog(QStringLiteral("MCU Config: start at %1 %2")
                       .arg(locale.toString(QDate::currentDate(), QLocale::ShortFormat),
                            QTime::currentTime().toString(QStringLiteral("HH:mm:ss")))
                       .toStdString());
    vocabulary();
    // The model, the SysEx constants and the transfer state were made with their start-up
    // values when this object was built.
    m_settings.readMidiSelection(m_organ->engine().selection());
    if (const auto folder = m_settings.lastFolder())
        m_document->lastFolder() = QString::fromStdString(*folder);
    m_settings.readRecentFiles(m_recentFiles);
    m_mainWindow->setRecentFiles(m_recentFiles.paths());
    readInstrumentNames();
}

void Application::readInstrumentNames() {
    // The names are not used; a file that cannot be read is only worth a log line.
    QFile file(m_paths.instrumentNameFile());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_log.writeLog("Error in patch loading.");
        return;
    }
    QTextStream lines(&file);
    while (!lines.atEnd())
        lines.readLine();
    if (file.error() != QFileDevice::NoError)
        m_log.writeLog("Error in patch loading.");
}

void Application::showStartChoice() {
    if (std::exchange(m_choiceShown, true))
        return;
    centreOnScreen(*m_startChoice);
    m_startChoice->show();
    m_startChoice->activateWindow();
}

void Application::bringToFront() {
    QWidget* front = m_mainWindowLoaded ? static_cast<QWidget*>(m_mainWindow.get())
                     : m_choiceShown    ? static_cast<QWidget*>(m_startChoice.get())
                                        : static_cast<QWidget*>(m_splash.get());
    if (front == nullptr)
        return;
    if (front->isMinimized())
        front->setWindowState(front->windowState() & ~Qt::WindowMinimized);
    front->raise();
    front->activateWindow();
}

void Application::chooseStart(StartAction action) {
    m_startChoice->hide();
    m_mainWindow->setStartAction(action);
    if (!std::exchange(m_mainWindowLoaded, true))
        prepareMainWindow();
    m_mainWindow->show();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
    m_mainWindow->transferTimer().start();
}

void Application::prepareMainWindow() {
    initialiseApplication();
    MainWindow& main = *m_mainWindow;
    main.transferTimer().setInterval(
        std::chrono::duration_cast<std::chrono::milliseconds>(TransferEngine::tickInterval));
    // With no stored placement the window opens centred on its screen, as large as designed
    // where the screen has room.
    centreOnScreen(main);
    FormGeometry placement = formGeometryOf(main);
    m_settings.loadMainWindowPlacement(placement, MainWindow::minimumWidthTwips,
                                       MainWindow::minimumHeightTwips);
    // The window always starts at its working height, whatever was stored, as far as the
    // screen has room.
    placement.height = MainWindow::startHeightTwips;
    applyFormGeometry(main, keptOnScreen(placement));
    main.pistonOverview().setVisible(m_settings.pistonOverviewShown());
    m_writing->options() = m_settings.writeOptions();
}

void Application::transferTick() {
    // A tick a few milliseconds before a paced send waits for it, as zktcli's and the page's do.
    if (const auto hold = m_organ->holdTick()) {
        QTimer::singleShot(std::chrono::ceil<std::chrono::milliseconds>(*hold), this, &Application::runTick);
        return;
    }
    runTick();
}

void Application::runTick() {
    m_port->advanceSimulation();
    const Micros untilNext = m_organ->tick();
    m_linkTools->showCheckProgress();
    // The next tick comes when the session's schedule says: a timer that woke late does not
    // push every later tick back, and after a held tick the ticks keep step with the send.
    QTimer& timer = m_mainWindow->transferTimer();
    timer.setInterval(std::chrono::ceil<std::chrono::milliseconds>(untilNext));
    if (timer.isActive())
        timer.start();
    if (m_port->simulationBusy() && !m_simulationTimer.isActive())
        m_simulationTimer.start();
}

ConsolePlayer Application::simulatedConsole() {
    return {[this] { return m_port->simulationHeard(); },
            [this](const ConsoleAction& action) {
                m_port->playOnSimulation(action);
                // What it sends travels the rest of the chain at once, not at the next tick.
                if (m_port->simulationBusy() && !m_simulationTimer.isActive())
                    m_simulationTimer.start();
            }};
}

void Application::simulationStep() {
    m_port->advanceSimulation();
    if (!m_port->simulationBusy())
        m_simulationTimer.stop();
}

bool Application::runMidiSetup(bool portsNeeded) {
    if (m_midiSetup == nullptr)
        m_midiSetup = new MidiSetupDialog(
            *m_port, m_organ->engine().selection(), *m_statusWindow,
            [this](const std::string& line) { m_log.writeLog(line); }, m_mainWindow.get());
    return m_midiSetup->runModal(portsNeeded);
}

void Application::loadFromDevice() {
    if (const auto refusal = m_organ->transferRefusal()) {
        showNotice(QMessageBox::Information, *refusal, m_mainWindow.get());
        return;
    }
    if (m_document->maySetAsideChanges(documenttext::SetAside::loadingFromOrgan))
        m_organ->startLoad();
}

void Application::writeToDevice() {
    m_writing->start();
}

void Application::programEnd() {
    if (std::exchange(m_ended, true))
        return;
    closePorts();
    saveSettings();
    m_recoveryKeeper->programEnding();
    m_mainWindow->transferTimer().stop();
    m_simulationTimer.stop();
    m_statusWindow->hide();
    // The main window is closing: what the end could not save is said on its own, and the program
    // ends once the user has read it.
    if (QMessageBox* told = tellLostSettings(nullptr)) {
        connect(told, &QMessageBox::finished, qApp, &QCoreApplication::quit);
        return;
    }
    QCoreApplication::quit();
}

void Application::reportMidiTrouble(const std::string& text) {
    m_log.writeLog(text);
    if (m_organ->engine().busy())
        m_statusWindow->addLine(text);
}

void Application::closePorts() {
    try {
        m_port->closeInput();
        m_port->closeOutput();
    } catch (const MidiError&) {
        // The program is ending; a port that will not close is released with the process.
    }
}

void Application::chooseLanguage(const std::string& language) {
    if (!m_language.choose(language))
        return;
    m_settings.setLanguage(language);
    m_mainWindow->setDocumentationUrl(userGuideUrl(m_paths.programFolder, currentLanguage()));
    m_mainWindow->retranslate();
    m_history->retranslate();
}

void Application::saveSettings() {
    m_settings.saveMainWindowPlacement(formGeometryOf(*m_mainWindow));
    m_settings.setPistonOverviewShown(m_mainWindow->pistonOverview().toggleViewAction()->isChecked());
    const MidiSelection& selection = m_organ->engine().selection();
    if (selection.midiConfigured())
        m_settings.writeMidiSelection(selection);
    m_settings.setLastFolder(m_document->lastFolder().toStdString());
    m_settings.setWriteOptions(m_writing->options());
}

} // namespace zkt
