#include "app/linktools/midi_monitor_window.h"

#include "i18n/tr.h"

#include "app/document/file_dialogs.h"
#include "link/monitor_texts.h"
#include "model/atomic_file.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace zkt {

namespace {

QString asText(const QStringList& lines) {
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QPushButton* addButton(QWidget* owner, QHBoxLayout* row, const char* name, const QString& text) {
    auto* button = new QPushButton(text, owner);
    button->setObjectName(QString::fromLatin1(name));
    row->addWidget(button);
    return button;
}

} // namespace

MidiMonitorWindow::MidiMonitorWindow(const Clock& clock, QString folder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_clock(clock), m_folder(std::move(folder)), m_model(clock.now()) {
    setObjectName(QStringLiteral("frmMidiMonitor"));
    setWindowTitle(QString::fromStdString(zkt::monitortext::title()));
    resize(twipsToPixels(this, 13500), twipsToPixels(this, 7500));

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("txtFilter"));
    m_filter->setPlaceholderText(
        QString::fromStdString(zkt::monitortext::filterPlaceholder()));
    m_filter->setClearButtonEnabled(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_filter, 1);
    m_pause = addButton(this, buttons, "cmdPause", QString::fromStdString(zkt::monitortext::pauseCaption(false)));
    m_pause->setCheckable(true);
    QPushButton* clear = addButton(this, buttons, "cmdClear", QString::fromStdString(zkt::monitortext::clearCaption()));
    QPushButton* copy = addButton(this, buttons, "cmdCopy", QString::fromStdString(zkt::tr("&Copy")));
    copy->setToolTip(
        QString::fromStdString(zkt::tr("Copy the selected messages, or all shown when none is selected")));
    QPushButton* save = addButton(this, buttons, "cmdSave", QString::fromStdString(zkt::monitortext::saveCaption()));
    save->setToolTip(QString::fromStdString(zkt::tr("Save the messages shown to a text file")));

    m_filtered = new QSortFilterProxyModel(this);
    m_filtered->setSourceModel(&m_model);
    m_filtered->setFilterKeyColumn(-1);
    m_filtered->setFilterCaseSensitivity(Qt::CaseInsensitive);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblTraffic"));
    m_table->setModel(m_filtered);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics metrics = m_table->fontMetrics();
    m_table->setColumnWidth(TrafficTableModel::sinceStart,
                            metrics.horizontalAdvance(QStringLiteral("0000000.0 ms")));
    m_table->setColumnWidth(TrafficTableModel::sincePrevious,
                            metrics.horizontalAdvance(m_model.headerData(TrafficTableModel::sincePrevious, Qt::Horizontal).toString() +
                                                      QStringLiteral("  ")));
    m_table->setColumnWidth(TrafficTableModel::direction,
                            metrics.horizontalAdvance(QStringLiteral("received  ")));
    m_table->setColumnWidth(
        TrafficTableModel::length,
        metrics.horizontalAdvance(m_model.headerData(TrafficTableModel::length, Qt::Horizontal).toString() + QStringLiteral("  ")));

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_count);

    connect(m_filter, &QLineEdit::textChanged, m_filtered, &QSortFilterProxyModel::setFilterFixedString);
    connect(m_pause, &QPushButton::toggled, this, &MidiMonitorWindow::pauseToggled);
    connect(clear, &QPushButton::clicked, this, &MidiMonitorWindow::clearList);
    connect(copy, &QPushButton::clicked, this, &MidiMonitorWindow::copyLines);
    connect(save, &QPushButton::clicked, this, &MidiMonitorWindow::saveLines);
    m_refreshTimer.setInterval(refreshMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &MidiMonitorWindow::refresh);
    m_refreshTimer.start();
    showCount();
}

void MidiMonitorWindow::record(const TrafficRecord& record) {
    if (m_pause->isChecked()) {
        ++m_notRecorded;
        return;
    }
    m_collected.push_back(record);
}

void MidiMonitorWindow::refresh() {
    if (m_collected.empty()) {
        if (m_pause->isChecked())
            showCount();
        return;
    }
    // Follow the newest message only while the user has not scrolled away from it.
    QScrollBar* scroll = m_table->verticalScrollBar();
    const bool atEnd = scroll->value() == scroll->maximum();
    m_model.append(m_collected);
    m_collected.clear();
    if (atEnd)
        m_table->scrollToBottom();
    showCount();
}

void MidiMonitorWindow::showCount() {
    m_count->setText(QString::fromStdString(zkt::monitortext::countText(
        {static_cast<std::size_t>(m_model.rowCount()), m_model.dropped(), TrafficLog::capacity, m_pause->isChecked(),
         static_cast<std::size_t>(m_notRecorded)})));
}

void MidiMonitorWindow::pauseToggled(bool paused) {
    if (!paused)
        m_notRecorded = 0;
    m_pause->setText(QString::fromStdString(zkt::monitortext::pauseCaption(paused)));
    showCount();
}

void MidiMonitorWindow::clearList() {
    m_collected.clear();
    m_notRecorded = 0;
    m_model.clear(m_clock.now());
    showCount();
}

QString MidiMonitorWindow::shownLine(int shownRow) const {
    return m_model.lineAt(m_filtered->mapToSource(m_filtered->index(shownRow, 0)).row());
}

QStringList MidiMonitorWindow::visibleLines() const {
    QStringList lines;
    for (int row = 0; row < m_filtered->rowCount(); ++row)
        lines << shownLine(row);
    return lines;
}

void MidiMonitorWindow::copyLines() {
    refresh();
    std::vector<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty()) {
        QApplication::clipboard()->setText(asText(visibleLines()));
        return;
    }
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (int row : rows)
        lines << shownLine(row);
    QApplication::clipboard()->setText(asText(lines));
}

void MidiMonitorWindow::saveLines() {
    refresh();
    const QString path = showSaveDialog(this, QString::fromStdString(zkt::tr("Text file (*.txt)")),
                                        QString::fromStdString(zkt::tr("Save MIDI Messages")), m_folder);
    if (!path.isEmpty())
        saveTo(path);
}

bool MidiMonitorWindow::saveTo(const QString& path) {
    try {
        writeFileAtomically(path.toStdString(), asText(visibleLines()).toStdString());
        return true;
    } catch (const std::exception& error) {
        QMessageBox::warning(this, QString::fromStdString(zkt::tr("Save Error")),
                             QString::fromStdString(zkt::tr("The messages were not saved.\n")) +
                                 QString::fromStdString(error.what()));
        return false;
    }
}

} // namespace zkt
