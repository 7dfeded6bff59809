#include "app/consolecheck/console_check_dialog.h"

#include "app/consolecheck/manual_check_view.h"
#include "app/document/file_dialogs.h"
#include "chart/chart_document.h"
#include "check/ambiguities.h"
#include "check/check_report_html.h"
#include "check/check_texts.h"
#include "widgets/dialog_placement.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

namespace zkt {

namespace {

constexpr int faultRows = 6;
// Of the screen's height, at most, for the manuals before they scroll.
constexpr double manualsShare = 0.55;

QString text(const std::string& words) {
    return QString::fromStdString(words);
}

QLabel* wrappedLabel(const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QString bulleted(const std::vector<std::string>& lines) {
    QStringList items;
    for (const std::string& line : lines)
        items << QStringLiteral("\u2022 ") + text(line);
    return items.join(QLatin1Char('\n'));
}

ReportMoment localNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute()};
}

} // namespace

ConsoleCheckDialog::ConsoleCheckDialog(OrganSession& organ, const Clock& clock, const Document& document,
                                       ConsolePlayer player, QString folder, QWidget* owner)
    : QDialog(owner), m_organ(organ), m_clock(clock), m_document(document), m_player(std::move(player)),
      m_folder(std::move(folder)) {
    setObjectName(QStringLiteral("frmConsoleCheck"));
    setWindowTitle(text(checktext::checkTitle()));
    setWindowModality(Qt::NonModal);
    m_pages = new QStackedWidget(this);

    auto* before = new QWidget(m_pages);
    auto* intro = wrappedLabel(QStringLiteral("lblIntro"), before);
    intro->setText(text(checktext::checkIntro()));
    auto* warningsHeading = new QLabel(text(checktext::warningsHeading()), before);
    QFont bold = warningsHeading->font();
    bold.setBold(true);
    warningsHeading->setFont(bold);
    m_warnings = wrappedLabel(QStringLiteral("lblWarnings"), before);
    m_refusal = wrappedLabel(QStringLiteral("lblRefusal"), before);
    m_refusal->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));
    auto* beforeLayout = new QVBoxLayout(before);
    beforeLayout->addWidget(intro);
    beforeLayout->addSpacing(8);
    beforeLayout->addWidget(warningsHeading);
    beforeLayout->addWidget(m_warnings);
    beforeLayout->addWidget(m_refusal);
    beforeLayout->addStretch(1);

    auto* during = new QWidget(m_pages);
    m_prompt = wrappedLabel(QStringLiteral("lblPrompt"), during);
    QFont large = m_prompt->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.3);
    m_prompt->setFont(large);
    m_instructions = wrappedLabel(QStringLiteral("lblInstructions"), during);
    auto* scroll = new QScrollArea(during);
    scroll->setObjectName(QStringLiteral("scrManuals"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* manuals = new QWidget(scroll);
    m_manuals = new QVBoxLayout(manuals);
    m_manuals->setContentsMargins(0, 0, 0, 0);
    m_manuals->addStretch(1);
    scroll->setWidget(manuals);
    m_faultsHeading = new QLabel(during);
    m_faultsHeading->setObjectName(QStringLiteral("lblFaults"));
    m_faultsHeading->setFont(bold);
    m_faults = new QListWidget(during);
    m_faults->setObjectName(QStringLiteral("lstFaults"));
    m_faults->setWordWrap(true);
    m_faults->setFixedHeight(m_faults->fontMetrics().height() * faultRows + 2 * m_faults->frameWidth() + 4);
    auto* duringLayout = new QVBoxLayout(during);
    duringLayout->setContentsMargins(0, 0, 0, 0);
    duringLayout->addWidget(m_prompt);
    duringLayout->addWidget(m_instructions);
    duringLayout->addWidget(scroll, 1);
    duringLayout->addWidget(m_faultsHeading);
    duringLayout->addWidget(m_faults);

    m_reportView = new QTextBrowser(m_pages);
    m_reportView->setObjectName(QStringLiteral("txtReport"));

    m_pages->addWidget(before);
    m_pages->addWidget(during);
    m_pages->addWidget(m_reportView);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    const auto addButton = [buttons](const std::string& caption, const char* name) {
        QPushButton* button = buttons->addButton(text(caption), QDialogButtonBox::ActionRole);
        button->setObjectName(QString::fromLatin1(name));
        return button;
    };
    m_start = addButton(checktext::startCaption(), "cmdStart");
    m_skip = addButton(checktext::skipCaption(), "cmdSkip");
    m_skipAll = addButton(checktext::skipAllCaption(), "cmdSkipAll");
    m_finish = addButton(checktext::finishCaption(), "cmdFinish");
    m_saveHtml = addButton(checktext::saveHtmlCaption(), "cmdSaveHtml");
    m_savePdf = addButton(checktext::savePdfCaption(), "cmdSavePdf");
    m_print = addButton(checktext::printCaption(), "cmdPrint");
    m_again = addButton(checktext::againCaption(), "cmdCheckAgain");
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
    connect(m_start, &QPushButton::clicked, this, &ConsoleCheckDialog::startCheck);
    connect(m_skip, &QPushButton::clicked, this, &ConsoleCheckDialog::skipAsked);
    connect(m_skipAll, &QPushButton::clicked, this, &ConsoleCheckDialog::skipAllAsked);
    connect(m_finish, &QPushButton::clicked, this, &ConsoleCheckDialog::finishCheck);
    connect(m_saveHtml, &QPushButton::clicked, this, [this] { askToSave(false); });
    connect(m_savePdf, &QPushButton::clicked, this, [this] { askToSave(true); });
    connect(m_print, &QPushButton::clicked, this, &ConsoleCheckDialog::print);
    connect(m_again, &QPushButton::clicked, this, [this] {
        stopCheck();
        showPage(Page::before);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buttons);
    showPage(Page::before);
}

ConsoleCheckDialog::~ConsoleCheckDialog() {
    stopCheck();
}

void ConsoleCheckDialog::present() {
    if (!isRunning() && m_pages->currentIndex() != static_cast<int>(Page::report))
        showPage(Page::before);
    if (!isVisible() && parentWidget() != nullptr)
        centreOver(*this, *parentWidget());
    show();
    raise();
    activateWindow();
}

void ConsoleCheckDialog::showPage(Page page) {
    if (page == Page::before)
        fillWarnings();
    m_pages->setCurrentIndex(static_cast<int>(page));
    m_start->setVisible(page == Page::before);
    m_skip->setVisible(page == Page::during);
    m_skipAll->setVisible(page == Page::during);
    m_finish->setVisible(page == Page::during);
    for (QPushButton* button : {m_saveHtml, m_savePdf, m_print, m_again})
        button->setVisible(page == Page::report);
    (page == Page::before ? m_start : page == Page::during ? m_finish : m_saveHtml)->setDefault(true);
}

void ConsoleCheckDialog::fillWarnings() {
    m_refusal->clear();
    const std::vector<std::string> warnings = checkAmbiguities(ConsolePlan(m_document.model()));
    m_warnings->setText(warnings.empty() ? text(checktext::noAmbiguities()) : bulleted(warnings));
}

bool ConsoleCheckDialog::startCheck() {
    if (isRunning())
        return true;
    stopCheck();
    if (const auto refusal = consoleCheckRefusal(m_document.model())) {
        m_refusal->setText(text(*refusal));
        return false;
    }
    m_check = std::make_unique<ConsoleCheck>(m_document.model(), m_clock);
    ConsoleListener listener;
    listener.take = [this](std::span<const std::uint8_t> message) { take(message); };
    listener.tick = [this] { tickCheck(); };
    if (const auto refusal = m_organ.listenToConsole(std::move(listener))) {
        m_check.reset();
        m_refusal->setText(text(checktext::cannotListen(*refusal, "Options > MIDI I/O Setup")));
        return false;
    }
    m_heading = {m_document.name(), localNow()};
    buildManualViews();
    m_faults->clear();
    m_faultsHeading->setText(text(checktext::faultsHeading(0)));
    showPage(Page::during);
    if (m_check->plan().askedPistons() > 0)
        m_check->startAsking();
    m_check->takeEvents();
    drawPrompt();
    for (ManualCheckView* view : m_views)
        view->drawPistons();
    return true;
}

void ConsoleCheckDialog::buildManualViews() {
    for (ManualCheckView* view : m_views)
        delete view;
    m_views.clear();
    const bool playable = m_player.heard && m_player.heard();
    for (const ManualPlan& manual : m_check->plan().manuals()) {
        auto* view = new ManualCheckView(*m_check, manual.manual, m_manuals->parentWidget());
        view->setPlayable(playable);
        connect(view, &ManualCheckView::keyPressed, this, [this](int manual, int key) {
            play({ConsoleAction::Kind::pressKey, manual, key, ConsoleAction{}.value, {}});
        });
        connect(view, &ManualCheckView::keyReleased, this, [this](int manual, int key) {
            play({ConsoleAction::Kind::releaseKey, manual, key, ConsoleAction{}.value, {}});
        });
        connect(view, &ManualCheckView::pistonPressed, this, [this](int manual, int piston) {
            play({ConsoleAction::Kind::pressPiston, manual, piston, ConsoleAction{}.value, {}});
        });
        connect(view, &ManualCheckView::pistonReleased, this, [this](int manual, int piston) {
            play({ConsoleAction::Kind::releasePiston, manual, piston, ConsoleAction{}.value, {}});
        });
        m_manuals->insertWidget(m_manuals->count() - 1, view);
        m_views.push_back(view);
    }
    // As many manuals in view as the screen has room for; the rest scroll.
    QWidget* manuals = m_manuals->parentWidget();
    auto* scroll = findChild<QScrollArea*>(QStringLiteral("scrManuals"));
    const QSize wanted = manuals->sizeHint();
    const QScreen* screen = this->screen();
    const int room = screen != nullptr ? static_cast<int>(screen->availableGeometry().height() * manualsShare)
                                       : wanted.height();
    scroll->setMinimumSize(wanted.width() + scroll->verticalScrollBar()->sizeHint().width(),
                           std::min(wanted.height(), room));
    adjustSize();
    // Grown with the manuals: over the main window still, and on the screen.
    centreDialogAt(*this, ownerWindowCentre(*this));
}

ManualCheckView* ConsoleCheckDialog::manualView(int manual) const {
    if (manual < 1 || manual > static_cast<int>(m_views.size()))
        return nullptr;
    return m_views[static_cast<std::size_t>(manual - 1)];
}

void ConsoleCheckDialog::take(std::span<const std::uint8_t> message) {
    m_check->take(message);
    drawSoon();
}

void ConsoleCheckDialog::tickCheck() {
    m_check->tick();
    drawSoon();
}

void ConsoleCheckDialog::drawSoon() {
    if (std::exchange(m_drawPending, true))
        return;
    QTimer::singleShot(0, this, &ConsoleCheckDialog::drawEvents);
}

void ConsoleCheckDialog::drawEvents() {
    m_drawPending = false;
    if (!isRunning())
        return;
    std::vector<bool> changed(m_views.size(), false);
    const auto mark = [&](int manual) -> ManualCheckView& {
        changed.at(static_cast<std::size_t>(manual - 1)) = true;
        return *m_views.at(static_cast<std::size_t>(manual - 1));
    };
    for (const CheckEvent& event : m_check->takeEvents()) {
        if (const auto* key = std::get_if<KeyChanged>(&event))
            mark(key->manual).drawKeys();
        else if (const auto* piston = std::get_if<PistonChanged>(&event))
            mark(piston->manual).flashPiston(piston->piston);
        else if (const auto* shoe = std::get_if<ShoeChanged>(&event))
            mark(shoe->manual).drawShoes();
        else if (const auto* fault = std::get_if<FaultAdded>(&event))
            drawFault(fault->index);
        else
            drawPrompt();
    }
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        if (changed[i])
            m_views[i]->drawChecklist();
    }
}

void ConsoleCheckDialog::drawFault(std::size_t index) {
    const std::vector<CheckFault>& faults = m_check->faults();
    while (static_cast<std::size_t>(m_faults->count()) <= index)
        m_faults->addItem(QString());
    m_faults->item(static_cast<int>(index))->setText(text(checktext::fault(faults.at(index))));
    m_faults->scrollToItem(m_faults->item(static_cast<int>(index)));
    m_faultsHeading->setText(text(checktext::faultsHeading(faults.size())));
}

void ConsoleCheckDialog::drawPrompt() {
    const std::string prompt = m_check->prompt();
    m_prompt->setText(text(checktext::checkPrompt(prompt)));
    m_instructions->setText(
        text(checktext::checkInstructions(!prompt.empty(), m_player.heard && m_player.heard())));
    m_skip->setEnabled(!prompt.empty());
    m_skipAll->setEnabled(!prompt.empty());
    // The ring moves to the piston asked for now.
    for (ManualCheckView* view : m_views)
        view->drawPistons();
}

void ConsoleCheckDialog::skipAsked() {
    if (!isRunning() || !m_check->asking())
        return;
    m_check->skipAsked();
    drawEvents();
}

void ConsoleCheckDialog::skipAllAsked() {
    if (!isRunning() || !m_check->asking())
        return;
    m_check->stopAsking();
    drawEvents();
}

void ConsoleCheckDialog::play(const ConsoleAction& action) {
    if (isRunning() && m_player.heard && m_player.heard())
        m_player.play(action);
}

void ConsoleCheckDialog::finishCheck() {
    if (!isRunning())
        return;
    m_organ.stopListening();
    m_check->finish();
    m_check->takeEvents();
    const CheckReport report = checkReport(*m_check, m_heading);
    m_report = {checkReportHtml(report), text(report.title + ": " + m_heading.configuration)};
    m_reportView->setHtml(text(m_report.html));
    showPage(Page::report);
}

void ConsoleCheckDialog::stopCheck() {
    if (m_check == nullptr)
        return;
    m_organ.stopListening();
    m_check.reset();
    for (ManualCheckView* view : m_views)
        delete view;
    m_views.clear();
}

bool ConsoleCheckDialog::saveReportHtml(const QString& path) {
    try {
        writeReportHtml(m_report, path);
        return true;
    } catch (const std::exception& error) {
        QMessageBox::warning(this, windowTitle(), text(error.what()));
        return false;
    }
}

bool ConsoleCheckDialog::saveReportPdf(const QString& path) {
    try {
        writeReportPdf(m_report, path);
        return true;
    } catch (const std::exception& error) {
        QMessageBox::warning(this, windowTitle(), text(error.what()));
        return false;
    }
}

void ConsoleCheckDialog::askToSave(bool pdf) {
    const QString path = showExportDialog(this, text(checktext::reportFileFilter(pdf)),
                                          pdf ? QStringLiteral("pdf") : QStringLiteral("html"),
                                          text(checktext::saveReportTitle(pdf)), m_folder);
    if (path.isEmpty())
        return;
    if (pdf)
        saveReportPdf(path);
    else
        saveReportHtml(path);
}

void ConsoleCheckDialog::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(chartPageLayout(defaultChartPaper()));
    printer.setDocName(m_report.footer);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    if (dialog.exec() == QDialog::Accepted)
        printReport(m_report, printer);
}

void ConsoleCheckDialog::done(int result) {
    // Closing ends a check that runs: the input goes back to the organ session.
    stopCheck();
    if (m_pages->currentIndex() == static_cast<int>(Page::during))
        showPage(Page::before);
    QDialog::done(result);
}

} // namespace zkt
