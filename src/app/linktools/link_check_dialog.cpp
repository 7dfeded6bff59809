#include "app/linktools/link_check_dialog.h"

#include "link/link_check_texts.h"

#include "link/link_verdict.h"
#include "widgets/dialog_placement.h"
#include "widgets/twips.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zkt {

namespace {

QString text(const std::string& words) {
    return QString::fromStdString(words);
}

QStringList resultColumns() {
    QStringList columns;
    for (const std::string& column : linkchecktext::columns())
        columns << text(column);
    return columns;
}

void setVerdictStyle(QLabel& label, bool problem) {
    label.setStyleSheet(problem ? QStringLiteral("color: #a00000; font-weight: bold")
                                : QStringLiteral("color: #006000; font-weight: bold"));
}

} // namespace

LinkCheckDialog::LinkCheckDialog(LinkCheckRun& run, std::function<QString()> describePorts, QWidget* owner)
    : QDialog(owner), m_run(run), m_describePorts(std::move(describePorts)) {
    setObjectName(QStringLiteral("frmLinkCheck"));
    setWindowTitle(text(linkchecktext::title()));
    // Only the main window waits: the MIDI monitor stays usable during the test.
    setWindowModality(Qt::WindowModal);

    auto* explanation = new QLabel(text(linkchecktext::intro()), this);
    explanation->setWordWrap(true);
    m_portsLabel = new QLabel(this);
    m_portsLabel->setObjectName(QStringLiteral("lblPorts"));

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("prgTest"));

    const QStringList columns = resultColumns();
    m_results = new QTableWidget(static_cast<int>(LinkCheck::testLengths.size()),
                                 static_cast<int>(columns.size()), this);
    m_results->setObjectName(QStringLiteral("tblResults"));
    m_results->setHorizontalHeaderLabels(columns);
    m_results->verticalHeader()->hide();
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setSelectionMode(QAbstractItemView::NoSelection);
    m_results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_results->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_results->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    QHeaderView* rows = m_results->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    // Every row in view, without scrolling.
    m_results->setFixedHeight(rows->defaultSectionSize() * m_results->rowCount() +
                              m_results->horizontalHeader()->sizeHint().height() +
                              2 * m_results->frameWidth() + 4);
    m_results->setMinimumWidth(twipsToPixels(this, 8400));

    m_mcus = new QLabel(this);
    m_mcus->setObjectName(QStringLiteral("lblMcus"));
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(QStringLiteral("lblVerdict"));
    m_verdict->setWordWrap(true);
    m_verdict->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    m_start = buttons->addButton(text(linkchecktext::startCaption(false)), QDialogButtonBox::ActionRole);
    m_start->setObjectName(QStringLiteral("cmdStart"));
    m_start->setDefault(true);
    QPushButton* close =
        buttons->addButton(text(linkchecktext::closeCaption()), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(m_start, &QPushButton::clicked, this, &LinkCheckDialog::startTest);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(m_portsLabel);
    layout->addWidget(m_progress);
    layout->addWidget(m_results);
    layout->addWidget(m_mcus);
    layout->addWidget(m_verdict);
    layout->addWidget(buttons);
}

void LinkCheckDialog::present() {
    m_portsLabel->setText(m_describePorts());
    if (!isVisible() && parentWidget() != nullptr)
        centreOver(*this, *parentWidget());
    show();
    raise();
    activateWindow();
}

void LinkCheckDialog::startTest() {
    if (isRunning())
        return;
    m_portsLabel->setText(m_describePorts());
    m_verdict->clear();
    m_mcus->clear();
    if (const auto refusal = m_run.start()) {
        m_verdict->setText(
            QString::fromStdString(linkCheckRefusalText(*refusal, "Options > MIDI I/O Setup")));
        setVerdictStyle(*m_verdict, true);
        return;
    }
    m_showing = true;
    m_progress->setRange(0, m_run.check()->messagesPlanned());
    m_start->setEnabled(false);
    showProgress();
}

void LinkCheckDialog::showProgress() {
    if (!m_showing)
        return;
    const LinkCheck* check = m_run.check();
    if (check == nullptr) {
        if (m_run.lastFinished())
            finishTest();
        return;
    }
    fillResults(check->report(), false);
    m_progress->setValue(check->messagesSent());
    m_progress->setFormat(text(linkchecktext::progress(check->messagesSent(), check->messagesPlanned())));
}

void LinkCheckDialog::finishTest() {
    const LinkReport& report = m_run.lastReport();
    stopTest();
    fillResults(report, true);
    const Verdict verdict = judgeLink(report);
    m_mcus->setText(text(linkchecktext::mcusCounted(report)));
    m_verdict->setText(QString::fromStdString(verdict.text));
    setVerdictStyle(*m_verdict, verdict.problemFound());
    m_progress->setValue(m_progress->maximum());
    m_progress->setFormat(text(linkchecktext::done()));
    m_start->setText(text(linkchecktext::startCaption(true)));
}

void LinkCheckDialog::stopTest() {
    if (!m_showing)
        return;
    m_showing = false;
    m_run.stop();
    m_start->setEnabled(true);
}

void LinkCheckDialog::fillResults(const LinkReport& report, bool final) {
    for (std::size_t row = 0; row < report.lengths.size(); ++row) {
        const LengthResult& result = report.lengths[row];
        const QStringList cells = {QString::number(result.length),
                                   QString::number(result.sent),
                                   QString::number(result.intact),
                                   QString::number(result.corrupted),
                                   final ? QString::number(result.lost()) : QStringLiteral("–"),
                                   text(linkchecktext::roundTrip(result))};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_results->setItem(static_cast<int>(row), column, item);
        }
    }
}

void LinkCheckDialog::done(int result) {
    // Closing the dialog abandons a test that is still running.
    stopTest();
    QDialog::done(result);
}

} // namespace zkt
