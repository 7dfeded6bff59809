#include "app/mainwindow/main_window.h"

#include "app/mainwindow/manual_panel.h"
#include "app/mainwindow/piston_button_style.h"
#include "app/mainwindow/piston_overview.h"
#include "app/mainwindow/program_version.h"
#include "app/mainwindow/toolbar_icons.h"
#include "check/check_texts.h"
#include "document/document_texts.h"
#include "link/transfer_engine.h"
#include "model/console_names.h"
#include "widgets/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollArea>
#include <QToolBar>
#include <algorithm>
#include <chrono>

namespace zkt {

namespace {

const QString productTag = QStringLiteral("ZKT");

struct CommandDefinition {
    MainWindow::Command command;
    const char* key;
    QString toolTip;
    const char* menuName;
    QString menuText;
};

const std::array<CommandDefinition, 4>& commandDefinitions() {
    static const std::array<CommandDefinition, 4> definitions = {{
        {MainWindow::openFile, "load", QStringLiteral("Open a Saved ZKT Configuration"), "mnuLoad",
         QStringLiteral("&Open a Saved ZKT Configuration")},
        {MainWindow::saveFile, "save",
         QStringLiteral("Save ") + productTag + QStringLiteral(" Configuration File"), "mnuSave",
         QStringLiteral("&Save ZKT Configuration File")},
        {MainWindow::loadFromDevice, "loado", QStringLiteral("Load Current Settings from the ZKT"),
         "mnuLoadOrgan", QStringLiteral("&Load Current Settings from the ZKT")},
        {MainWindow::writeToDevice, "write", QStringLiteral("Write Program Data To ") + productTag,
         "mnuWrite", QStringLiteral("&Write Program Data to ZKT")},
    }};
    return definitions;
}

// Panel tops in twips by the number of manuals shown, so that few manuals sit mid-window.
int firstPanelTopTwips(int manuals) {
    static constexpr std::array<int, maxManuals> tops = {2400, 1800, 1400, 1000, 600};
    return tops.at(std::clamp(manuals, 1, maxManuals) - 1);
}

constexpr QRect instructionsFrameTwips(1080, 180, 9240, 720);
constexpr QRect startFrameTwips(2280, 2640, 9240, 1080);
constexpr int startHintsBottomTwips = startFrameTwips.y() + startFrameTwips.height();
// Room kept under the lowest panel, and on either side of the panels.
constexpr int centralMarginTwips = 120;
constexpr int canvasWidthTwips = 2 * ManualPanel::designLeftTwips + ManualPanel::designWidthTwips;

struct HintDefinition {
    const char* text;
    QRect twips;
};

const std::array<HintDefinition, 4> hintDefinitions = {{
    {documenttext::instructions[0], QRect(1200, 240, 9000, 300)},
    {documenttext::instructions[1], QRect(1200, 540, 9000, 300)},
    {"or choose File>Open to load a saved configuration file", QRect(2400, 3240, 9000, 360)},
    {"To start, choose File>Load to read the ZKT's configuration", QRect(2400, 2760, 9000, 360)},
}};

// The first local .zkt file among what is being dragged; empty when there is none.
QString draggedConfiguration(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".zkt"), Qt::CaseInsensitive))
            return url.toLocalFile();
    }
    return {};
}

} // namespace

QString aboutText(const ConfigModel& model) {
    QStringList lines = {QStringLiteral("ZKTConfig"), versionText(),
                         QStringLiteral("Configuration program for the ZKT organ MIDI encoder.")};
    if (!model.firmwareVersion.empty())
        lines << QStringLiteral("Firmware version ") + QString::fromStdString(model.firmwareVersion);
    return lines.join(QLatin1Char('\n'));
}

MainWindow::MainWindow(const ConfigModel& model, QWidget* parent) : QMainWindow(parent), m_model(model) {
    setObjectName(QStringLiteral("frmMain"));
    setDocumentName({});
    setAcceptDrops(true);
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("scrManuals"));
    area->setAccessibleName(QStringLiteral("Manuals"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    m_canvas = new QWidget(area);
    m_canvas->setObjectName(QStringLiteral("picBackground"));
    area->setWidget(m_canvas);
    setCentralWidget(area);
    setMinimumSize(twipsToPixels(this, minimumWidthTwips), twipsToPixels(this, minimumHeightTwips));
    resize(twipsToPixels(this, designWidthTwips), twipsToPixels(this, startHeightTwips));

    m_transferTimer.setObjectName(QStringLiteral("timer"));
    m_transferTimer.setInterval(
        std::chrono::duration_cast<std::chrono::milliseconds>(TransferEngine::tickInterval));

    // In this order, so that Tab goes through the manuals, keyboard then pistons, before the overview.
    buildHints();
    buildManualPanels();
    buildPistonOverview();
    buildMenus();
    buildToolbar();
}

void MainWindow::buildMenus() {
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("mnuFile"));
    for (const CommandDefinition& definition : commandDefinitions()) {
        QAction* action = fileMenu->addAction(definition.menuText);
        action->setObjectName(QString::fromLatin1(definition.menuName));
        m_commands[definition.command].menu = action;
    }
    m_recentMenu = new QMenu(QStringLiteral("Recent &Configurations"), fileMenu);
    m_recentMenu->setObjectName(QStringLiteral("mnuRecent"));
    m_recentMenu->setToolTipsVisible(true);
    fileMenu->insertMenu(m_commands[saveFile].menu, m_recentMenu);
    fileMenu->addSeparator();
    m_restoreBackup = fileMenu->addAction(QStringLiteral("&Restore a Backup\u2026"));
    m_restoreBackup->setObjectName(QStringLiteral("mnuRestoreBackup"));
    m_restoreBackup->setToolTip(QStringLiteral("Open one of the backups taken before each write"));
    connect(m_restoreBackup, &QAction::triggered, this, &MainWindow::restoreBackupRequested);
    m_printChart = fileMenu->addAction(QStringLiteral("&Print Piston Chart\u2026"));
    m_printChart->setObjectName(QStringLiteral("mnuPrintChart"));
    m_printChart->setShortcut(QKeySequence::Print);
    connect(m_printChart, &QAction::triggered, this, &MainWindow::printChartRequested);
    fileMenu->addSeparator();
    QAction* exitAction = fileMenu->addAction(QStringLiteral("E&xit"));
    exitAction->setObjectName(QStringLiteral("mnuExit"));
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    m_editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    m_editMenu->setObjectName(QStringLiteral("mnuEdit"));
    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    viewMenu->setObjectName(QStringLiteral("mnuView"));
    viewMenu->addAction(m_overview->toggleViewAction());

    QMenu* optionsMenu = menuBar()->addMenu(QStringLiteral("&Options"));
    optionsMenu->setObjectName(QStringLiteral("mnuOptions"));
    QAction* midiAction = optionsMenu->addAction(QStringLiteral("&MIDI I/O Setup"));
    midiAction->setObjectName(QStringLiteral("mnuMidiSetup"));
    connect(midiAction, &QAction::triggered, this, &MainWindow::midiSetupRequested);
    QAction* monitorAction = optionsMenu->addAction(QStringLiteral("MIDI Mo&nitor"));
    monitorAction->setObjectName(QStringLiteral("mnuMidiMonitor"));
    connect(monitorAction, &QAction::triggered, this, &MainWindow::midiMonitorRequested);
    QAction* linkCheckAction = optionsMenu->addAction(QStringLiteral("&Test MIDI Connection..."));
    linkCheckAction->setObjectName(QStringLiteral("mnuTestConnection"));
    connect(linkCheckAction, &QAction::triggered, this, &MainWindow::linkCheckRequested);
    QAction* consoleCheckAction = optionsMenu->addAction(QString::fromStdString(checktext::checkMenuEntry()));
    consoleCheckAction->setObjectName(QStringLiteral("mnuCheckConsole"));
    connect(consoleCheckAction, &QAction::triggered, this, &MainWindow::consoleCheckRequested);

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("mnuHelp"));
    QAction* docsAction = helpMenu->addAction(QStringLiteral("&View On-line Docs"));
    docsAction->setObjectName(QStringLiteral("mnuViewDocs"));
    connect(docsAction, &QAction::triggered, this, &MainWindow::viewOnlineDocs);
    QAction* aboutAction = helpMenu->addAction(QStringLiteral("&About ZKTConfig"));
    aboutAction->setObjectName(QStringLiteral("mnuAbout"));
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    setCommandShortcuts(*exitAction, *docsAction);
}

void MainWindow::setCommandShortcuts(QAction& exitAction, QAction& docsAction) {
    // Save always asks for the file name, so it is Save As as well.
    m_commands[openFile].menu->setShortcuts(QKeySequence::Open);
    // Window managers without a desktop's key theme (openbox) bind no Save As: it is named here.
    QList<QKeySequence> saveKeys = QKeySequence::keyBindings(QKeySequence::Save);
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::SaveAs) +
                                       QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}) {
        if (!saveKeys.contains(key))
            saveKeys << key;
    }
    m_commands[saveFile].menu->setShortcuts(saveKeys);
    m_commands[loadFromDevice].menu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    // Not the Ctrl+W that closes windows elsewhere: a write changes the organ.
    m_commands[writeToDevice].menu->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    exitAction.setShortcuts(QKeySequence::Quit);
    docsAction.setShortcuts(QKeySequence::HelpContents);
}

void MainWindow::setRecentFiles(const QStringList& paths) {
    m_recentMenu->clear();
    for (int i = 0; i < paths.size(); ++i) {
        const QFileInfo file(paths[i]);
        QString name = file.fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        action->setObjectName(QStringLiteral("mnuRecent_%1").arg(i));
        const QString folder = QDir::toNativeSeparators(file.absolutePath());
        action->setToolTip(folder);
        action->setStatusTip(folder);
        connect(action, &QAction::triggered, this, [this, path = paths[i]] { emit recentFileChosen(path); });
    }
    applyCommandState(openFile);
}

void MainWindow::buildToolbar() {
    QToolBar* toolbar = addToolBar(QStringLiteral("Commands"));
    toolbar->setObjectName(QStringLiteral("tbrMain"));
    toolbar->setMovable(false);
    const auto addButton = [toolbar](const QString& key, const QString& toolTip) {
        QAction* action = toolbar->addAction(toolbarIcon(key), toolTip);
        action->setObjectName(QStringLiteral("tbrMain_") + key);
        action->setToolTip(toolTip);
        action->setStatusTip(toolTip);
        return action;
    };
    const auto& definitions = commandDefinitions();
    for (const CommandDefinition& definition : definitions) {
        if (definition.command == loadFromDevice)
            toolbar->addSeparator();
        m_commands[definition.command].toolbar =
            addButton(QString::fromLatin1(definition.key), definition.toolTip);
    }
    toolbar->addSeparator();
    QAction* midiButton = addButton(QStringLiteral("midi"), QStringLiteral("Setup MIDI Input and Output"));
    connect(midiButton, &QAction::triggered, this, &MainWindow::midiSetupRequested);

    const std::array<void (MainWindow::*)(), 4> announcements = {
        &MainWindow::openFileRequested, &MainWindow::saveFileRequested, &MainWindow::loadFromDeviceRequested,
        &MainWindow::writeToDeviceRequested};
    for (std::size_t i = 0; i < m_commands.size(); ++i) {
        for (QAction* action : {m_commands[i].toolbar, m_commands[i].menu})
            connect(action, &QAction::triggered, this, announcements[i]);
    }
    enableStartCommands();
}

void MainWindow::buildHints() {
    QWidget* area = m_canvas;
    const auto framed = [this, area](const char* name, QRect twips) {
        auto* frame = new QFrame(area);
        frame->setObjectName(QString::fromLatin1(name));
        frame->setFrameShape(QFrame::Box);
        frame->setGeometry(twipsToPixels(this, twips.x()), twipsToPixels(this, twips.y()),
                           twipsToPixels(this, twips.width()), twipsToPixels(this, twips.height()));
        return frame;
    };
    m_instructionsFrame = framed("shaInstructions", instructionsFrameTwips);
    m_startFrame = framed("shaStart", startFrameTwips);
    for (std::size_t i = 0; i < hintDefinitions.size(); ++i) {
        const QRect twips = hintDefinitions[i].twips;
        auto* label = new QLabel(QString::fromLatin1(hintDefinitions[i].text), area);
        label->setObjectName(QStringLiteral("lblInstructions_%1").arg(i));
        label->setGeometry(twipsToPixels(this, twips.x()), twipsToPixels(this, twips.y()),
                           twipsToPixels(this, twips.width()), twipsToPixels(this, twips.height()));
        label->setAlignment(Qt::AlignCenter);
        m_hints[i] = label;
    }
}

void MainWindow::buildManualPanels() {
    m_instructionsFrame->hide();
    m_hints[0]->hide();
    m_hints[1]->hide();
    for (int i = 0; i < maxManuals; ++i) {
        auto* panel = new ManualPanel(i, m_canvas);
        panel->move(twipsToPixels(this, ManualPanel::designLeftTwips), 0);
        panel->hide();
        connect(panel, &ManualPanel::pistonClicked, this, &MainWindow::pistonClicked);
        connect(panel, &ManualPanel::keyboardClicked, this, &MainWindow::keyboardClicked);
        connect(panel, &ManualPanel::pistonFocused, this, &MainWindow::selectPiston);
        connect(panel, &ManualPanel::pistonCommandChosen, this, &MainWindow::pistonCommandChosen);
        connect(panel, &ManualPanel::manualCommandChosen, this, &MainWindow::manualCommandChosen);
        m_panels[i] = panel;
    }
    reserveCentralHeight(startHintsBottomTwips);
}

void MainWindow::buildPistonOverview() {
    m_overview = new PistonOverview(m_model, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_overview);
    connect(m_overview, &PistonOverview::pistonSelected, this, &MainWindow::highlightPistonButton);
    connect(m_overview, &PistonOverview::pistonActivated, this, &MainWindow::pistonClicked);
    QAction* toggle = m_overview->toggleViewAction();
    toggle->setObjectName(QStringLiteral("mnuPistonOverview"));
    toggle->setText(QStringLiteral("&Piston Overview"));
}

void MainWindow::selectPiston(int pistonIndex) {
    m_overview->selectPiston(pistonIndex);
    // The button is ringed even where the filter hides its row.
    highlightPistonButton(pistonIndex);
}

void MainWindow::highlightPistonButton(int pistonIndex) {
    for (ManualPanel* panel : m_panels) {
        const bool here = pistonIndex / pistonsPerManual == panel->manualIndex() && pistonIndex >= 0;
        panel->highlightPiston(here ? pistonIndex % pistonsPerManual : -1);
    }
}

void MainWindow::reserveCentralHeight(int bottomTwips) {
    m_canvas->setMinimumSize(twipsToPixels(this, canvasWidthTwips),
                             twipsToPixels(this, bottomTwips + centralMarginTwips));
    giveSpareHeightToOverview();
}

void MainWindow::giveSpareHeightToOverview() {
    if (m_overview == nullptr || m_overview->isFloating() || m_overview->isHidden() ||
        dockWidgetArea(m_overview) != Qt::BottomDockWidgetArea)
        return;
    // The panels have the height they need as far as the window has it; the overview the rest,
    // and never less than its own minimum, when the panels scroll.
    const int shared = centralWidget()->height() + m_overview->height();
    resizeDocks({m_overview}, {std::max(shared - m_canvas->minimumHeight(), 1)}, Qt::Vertical);
}

QScrollArea& MainWindow::manualArea() const {
    return *static_cast<QScrollArea*>(centralWidget());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    giveSpareHeightToOverview();
}

void MainWindow::setDocumentName(const QString& name) {
    setWindowTitle(QString::fromStdString(documenttext::windowTitle(name.toStdString(), "[*]")));
}

void MainWindow::setHistoryActions(QAction* undo, QAction* redo) {
    m_editMenu->addAction(undo);
    m_editMenu->addAction(redo);
}

void MainWindow::setPasteAvailable(bool piston, bool manualSettings, bool manual) {
    for (ManualPanel* panel : m_panels)
        panel->setPasteAvailable(piston, manualSettings, manual);
}

void MainWindow::setStartHintsVisible(bool visible) {
    m_startFrame->setVisible(visible);
    m_hints[2]->setVisible(visible);
    m_hints[3]->setVisible(visible);
}

void MainWindow::refreshManualPanels() {
    // The model may hold any count a file or device reported; only five panels exist.
    const int manuals = std::clamp<int>(m_model.numberOfManuals, 0, maxManuals);
    for (int i = manuals; i < maxManuals; ++i)
        m_panels[i]->hide();
    const int firstTop = firstPanelTopTwips(manuals);
    // A panel that stays is not hidden on the way, so a piston keeps the keyboard focus through
    // a paste or a clear.
    for (int i = 0; i < manuals; ++i) {
        ManualPanel* panel = m_panels[i];
        panel->move(panel->x(), twipsToPixels(this, firstTop + i * ManualPanel::designHeightTwips));
        panel->setTitle(QString::fromStdString(manualTitle(m_model.names, i + 1)));
        panel->show();
        for (int j = 0; j < pistonsPerManual; ++j)
            updatePistonButton(pistonIndexOf(i, j));
    }
    reserveCentralHeight(manuals > 0 ? firstTop + manuals * ManualPanel::designHeightTwips
                                     : startHintsBottomTwips);
    setStartHintsVisible(false);
    m_overview->rows().configurationChanged();
}

void MainWindow::hideManualPanels() {
    for (ManualPanel* panel : m_panels)
        panel->hide();
    reserveCentralHeight(startHintsBottomTwips);
    setStartHintsVisible(true);
}

void MainWindow::updatePistonButton(int pistonIndex) {
    if (pistonIndex < 0 || pistonIndex >= maxManuals * pistonsPerManual)
        return;
    QPushButton* button =
        m_panels[pistonIndex / pistonsPerManual]->pistonButton(pistonIndex % pistonsPerManual);
    applyPistonStyle(*button, m_model.pistons[pistonIndex], m_model.names.pistonLabels[pistonIndex],
                     pistonIndex);
    m_overview->rows().pistonChanged(pistonIndex);
}

void MainWindow::setCommandEnabled(Command command, bool enabled) {
    m_commandWanted.at(command) = enabled;
    applyCommandState(command);
}

void MainWindow::applyCommandState(Command command) {
    const bool held = m_transferRunning && command != saveFile;
    const bool enabled = m_commandWanted.at(command) && !held;
    m_commands.at(command).toolbar->setEnabled(enabled);
    m_commands.at(command).menu->setEnabled(enabled);
    // Restoring a backup and the recent configurations open a file, and wait with Open.
    if (command == openFile && m_restoreBackup != nullptr) {
        m_restoreBackup->setEnabled(enabled);
        m_recentMenu->menuAction()->setEnabled(enabled && !m_recentMenu->isEmpty());
    }
}

void MainWindow::setTransferRunning(bool running) {
    m_transferRunning = running;
    for (Command command : {openFile, saveFile, loadFromDevice, writeToDevice})
        applyCommandState(command);
}

bool MainWindow::isCommandEnabled(Command command) const {
    return m_commands.at(command).menu->isEnabled();
}

void MainWindow::enableStartCommands() {
    setCommandEnabled(openFile, true);
    setCommandEnabled(saveFile, false);
    setCommandEnabled(loadFromDevice, true);
    setCommandEnabled(writeToDevice, false);
    // Like saving, printing waits for a configuration.
    m_printChart->setEnabled(false);
}

void MainWindow::enableAllCommands() {
    for (Command command : {openFile, saveFile, loadFromDevice, writeToDevice})
        setCommandEnabled(command, true);
    m_printChart->setEnabled(true);
}

void MainWindow::showAbout() {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About ") + productTag + QStringLiteral("Config"),
                    aboutText(m_model), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("msgAbout"));
    box.exec();
}

void MainWindow::viewOnlineDocs() {
    if (m_documentationUrl.isValid())
        QDesktopServices::openUrl(m_documentationUrl);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        runStartAction();
}

void MainWindow::runStartAction() {
    // Cleared before it runs: the action may open modal dialogs, which reactivate this window.
    const StartAction action = std::exchange(m_startAction, StartAction::none);
    if (action == StartAction::loadFromDevice)
        emit loadFromDeviceRequested();
    else if (action == StartAction::openFile)
        emit openFileRequested();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_mayClose && !m_mayClose()) {
        event->ignore();
        return;
    }
    emit closing();
    m_transferTimer.stop();
    QMainWindow::closeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    // Like Open, a drop waits while a transfer runs.
    if (!m_transferRunning && !draggedConfiguration(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = draggedConfiguration(event->mimeData());
    if (m_transferRunning || path.isEmpty())
        return;
    event->acceptProposedAction();
    emit configurationDropped(path);
}

} // namespace zkt
