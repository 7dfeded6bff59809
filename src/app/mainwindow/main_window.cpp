#include "app/mainwindow/main_window.h"

#include "app/mainwindow/manual_panel.h"
#include "app/mainwindow/piston_button_style.h"
#include "app/mainwindow/piston_overview.h"
#include "app/mainwindow/program_version.h"
#include "app/mainwindow/toolbar_icons.h"
#include "check/check_texts.h"
#include "document/document_texts.h"
#include "i18n/format_text.h"
#include "i18n/language.h"
#include "i18n/tr.h"
#include "link/transfer_engine.h"
#include "model/console_names.h"
#include "widgets/twips.h"

#include <QAction>
#include <QActionGroup>
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

struct CommandDefinition {
    MainWindow::Command command;
    const char* key;
    const char* menuName;
};

constexpr std::array<CommandDefinition, 4> commandDefinitions = {{
    {MainWindow::openFile, "load", "mnuLoad"},
    {MainWindow::saveFile, "save", "mnuSave"},
    {MainWindow::loadFromDevice, "loado", "mnuLoadOrgan"},
    {MainWindow::writeToDevice, "write", "mnuWrite"},
}};

QString shown(const std::string& text) {
    return QString::fromStdString(text);
}

struct CommandTexts {
    QString toolTip;
    QString menuText;
};

CommandTexts commandTexts(MainWindow::Command command) {
    switch (command) {
    case MainWindow::openFile:
        return {shown(zkt::tr("Open a Saved ZKT Configuration")),
                shown(zkt::tr("&Open a Saved ZKT Configuration"))};
    case MainWindow::saveFile:
        return {shown(zkt::tr("Save ZKT Configuration File")),
                shown(zkt::tr("&Save ZKT Configuration File"))};
    case MainWindow::loadFromDevice:
        return {shown(zkt::tr("Load Current Settings from the ZKT")),
                shown(zkt::tr("&Load Current Settings from the ZKT"))};
    case MainWindow::writeToDevice:
        return {shown(zkt::tr("Write Program Data To ZKT")), shown(zkt::tr("&Write Program Data to ZKT"))};
    }
    return {};
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

constexpr std::array<QRect, 4> hintPlaces = {QRect(1200, 240, 9000, 300), QRect(1200, 540, 9000, 300),
                                             QRect(2400, 3240, 9000, 360), QRect(2400, 2760, 9000, 360)};

std::array<QString, 4> hintTexts() {
    return {shown(documenttext::instruction(0)), shown(documenttext::instruction(1)),
            shown(zkt::tr("or choose File>Open to load a saved configuration file")),
            shown(zkt::tr("To start, choose File>Load to read the ZKT's configuration"))};
}

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
                         shown(zkt::tr("Configuration program for the ZKT organ MIDI encoder."))};
    if (!model.firmwareVersion.empty())
        lines << shown(formatText(zkt::tr("Firmware version %1"), model.firmwareVersion));
    return lines.join(QLatin1Char('\n'));
}

MainWindow::MainWindow(const ConfigModel& model, QWidget* parent) : QMainWindow(parent), m_model(model) {
    setObjectName(QStringLiteral("frmMain"));
    setDocumentName({});
    setAcceptDrops(true);
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("scrManuals"));
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
    retranslate();
}

void MainWindow::buildMenus() {
    const auto menu = [this](QMenu* parent, const char* name) {
        QMenu* made = parent != nullptr ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
        made->setObjectName(QString::fromLatin1(name));
        return made;
    };
    const auto action = [](QMenu* parent, const char* name) {
        QAction* made = parent->addAction(QString());
        made->setObjectName(QString::fromLatin1(name));
        return made;
    };
    MenuActions& a = m_menuActions;
    a.file = menu(nullptr, "mnuFile");
    for (const CommandDefinition& definition : commandDefinitions)
        m_commands[definition.command].menu = action(a.file, definition.menuName);
    m_recentMenu = new QMenu(a.file);
    m_recentMenu->setObjectName(QStringLiteral("mnuRecent"));
    m_recentMenu->setToolTipsVisible(true);
    a.file->insertMenu(m_commands[saveFile].menu, m_recentMenu);
    a.file->addSeparator();
    m_restoreBackup = action(a.file, "mnuRestoreBackup");
    connect(m_restoreBackup, &QAction::triggered, this, &MainWindow::restoreBackupRequested);
    m_printChart = action(a.file, "mnuPrintChart");
    m_printChart->setShortcut(QKeySequence::Print);
    connect(m_printChart, &QAction::triggered, this, &MainWindow::printChartRequested);
    a.file->addSeparator();
    a.exit = action(a.file, "mnuExit");
    connect(a.exit, &QAction::triggered, this, &QWidget::close);

    m_editMenu = menu(nullptr, "mnuEdit");
    a.view = menu(nullptr, "mnuView");
    a.view->addAction(m_overview->toggleViewAction());

    a.options = menu(nullptr, "mnuOptions");
    a.midiSetup = action(a.options, "mnuMidiSetup");
    connect(a.midiSetup, &QAction::triggered, this, &MainWindow::midiSetupRequested);
    a.monitor = action(a.options, "mnuMidiMonitor");
    connect(a.monitor, &QAction::triggered, this, &MainWindow::midiMonitorRequested);
    a.linkCheck = action(a.options, "mnuTestConnection");
    connect(a.linkCheck, &QAction::triggered, this, &MainWindow::linkCheckRequested);
    a.consoleCheck = action(a.options, "mnuCheckConsole");
    connect(a.consoleCheck, &QAction::triggered, this, &MainWindow::consoleCheckRequested);
    buildLanguageMenu(menu(a.options, "mnuLanguage"));

    a.help = menu(nullptr, "mnuHelp");
    a.docs = action(a.help, "mnuViewDocs");
    connect(a.docs, &QAction::triggered, this, &MainWindow::viewOnlineDocs);
    a.about = action(a.help, "mnuAbout");
    connect(a.about, &QAction::triggered, this, &MainWindow::showAbout);
    setCommandShortcuts(*a.exit, *a.docs);
}

// Each language by its own name, so that whoever cannot read the current one finds theirs.
void MainWindow::buildLanguageMenu(QMenu* languages) {
    m_menuActions.languages = languages;
    auto* group = new QActionGroup(languages);
    for (const std::string_view code : shippedLanguages()) {
        QAction* choice = languages->addAction(shown(languageName(code)));
        choice->setObjectName(QStringLiteral("mnuLanguage_") +
                              QString::fromLatin1(code.data(), static_cast<int>(code.size())));
        choice->setCheckable(true);
        choice->setData(QString::fromLatin1(code.data(), static_cast<int>(code.size())));
        group->addAction(choice);
        connect(choice, &QAction::triggered, this,
                [this, choice] { emit languageChosen(choice->data().toString()); });
    }
}

void MainWindow::retranslate() {
    MenuActions& a = m_menuActions;
    a.file->setTitle(shown(zkt::tr("&File")));
    for (const CommandDefinition& definition : commandDefinitions) {
        const CommandTexts texts = commandTexts(definition.command);
        m_commands[definition.command].menu->setText(texts.menuText);
        QAction* button = m_commands[definition.command].toolbar;
        button->setText(texts.toolTip);
        button->setToolTip(texts.toolTip);
        button->setStatusTip(texts.toolTip);
    }
    m_recentMenu->setTitle(shown(zkt::tr("Recent &Configurations")));
    m_restoreBackup->setText(shown(zkt::tr("&Restore a Backup\u2026")));
    m_restoreBackup->setToolTip(shown(zkt::tr("Open one of the backups taken before each write")));
    m_printChart->setText(shown(zkt::tr("&Print Piston Chart\u2026")));
    a.exit->setText(shown(zkt::tr("E&xit")));
    m_editMenu->setTitle(shown(zkt::tr("&Edit")));
    a.view->setTitle(shown(zkt::tr("&View")));
    m_overview->toggleViewAction()->setText(shown(zkt::tr("&Piston Overview")));
    a.options->setTitle(shown(zkt::tr("&Options")));
    a.midiSetup->setText(shown(zkt::tr("&MIDI I/O Setup")));
    a.monitor->setText(shown(zkt::tr("MIDI Mo&nitor")));
    a.linkCheck->setText(shown(zkt::tr("&Test MIDI Connection...")));
    a.consoleCheck->setText(shown(checktext::checkMenuEntry()));
    // TRANSLATORS: the menu of the languages the window speaks, each named in its own language.
    a.languages->setTitle(shown(zkt::tr("&Language")));
    for (QAction* choice : a.languages->actions())
        choice->setChecked(choice->data().toString().toStdString() == currentLanguage());
    a.help->setTitle(shown(zkt::tr("&Help")));
    a.docs->setText(shown(zkt::tr("&View On-line Docs")));
    a.about->setText(shown(zkt::tr("&About ZKTConfig")));
    const QString midiTip = shown(zkt::tr("Setup MIDI Input and Output"));
    for (QAction* button : {a.midiButton}) {
        button->setText(midiTip);
        button->setToolTip(midiTip);
        button->setStatusTip(midiTip);
    }
    a.toolbar->setWindowTitle(shown(zkt::tr("Commands")));
    manualArea().setAccessibleName(shown(zkt::tr("Manuals")));
    const std::array<QString, 4> hints = hintTexts();
    for (std::size_t i = 0; i < hints.size(); ++i)
        m_hints[i]->setText(hints[i]);
    setDocumentName(m_documentName);
    for (ManualPanel* panel : m_panels)
        panel->retranslate();
    const int manuals = std::clamp<int>(m_model.numberOfManuals, 0, maxManuals);
    for (int i = 0; i < manuals; ++i) {
        drawPanelTexts(i);
    }
    m_overview->retranslate();
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
    QToolBar* toolbar = addToolBar(QString());
    toolbar->setObjectName(QStringLiteral("tbrMain"));
    toolbar->setMovable(false);
    m_menuActions.toolbar = toolbar;
    const auto addButton = [toolbar](const QString& key) {
        QAction* action = toolbar->addAction(toolbarIcon(key), QString());
        action->setObjectName(QStringLiteral("tbrMain_") + key);
        return action;
    };
    for (const CommandDefinition& definition : commandDefinitions) {
        if (definition.command == loadFromDevice)
            toolbar->addSeparator();
        m_commands[definition.command].toolbar = addButton(QString::fromLatin1(definition.key));
    }
    toolbar->addSeparator();
    m_menuActions.midiButton = addButton(QStringLiteral("midi"));
    connect(m_menuActions.midiButton, &QAction::triggered, this, &MainWindow::midiSetupRequested);

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
    for (std::size_t i = 0; i < hintPlaces.size(); ++i) {
        const QRect twips = hintPlaces[i];
        auto* label = new QLabel(area);
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
    m_overview->toggleViewAction()->setObjectName(QStringLiteral("mnuPistonOverview"));
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
    m_documentName = name;
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
        panel->show();
        drawPanelTexts(i);
    }
    reserveCentralHeight(manuals > 0 ? firstTop + manuals * ManualPanel::designHeightTwips
                                     : startHintsBottomTwips);
    setStartHintsVisible(false);
    m_overview->rows().configurationChanged();
}

void MainWindow::drawPanelTexts(int manualIndex) {
    m_panels[manualIndex]->setTitle(shown(manualTitle(m_model.names, manualIndex + 1)));
    for (int j = 0; j < pistonsPerManual; ++j)
        updatePistonButton(pistonIndexOf(manualIndex, j));
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
    QMessageBox box(QMessageBox::NoIcon, shown(zkt::tr("About ZKTConfig")), aboutText(m_model),
                    QMessageBox::Ok, this);
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
