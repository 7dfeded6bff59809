#include "app/mainwindow/piston_overview.h"

#include "app/mainwindow/piston_label_delegate.h"
#include "document/document_texts.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

namespace zkt {

void PistonOverview::retranslate() {
    const documenttext::OverviewTexts texts = documenttext::overviewTexts();
    setWindowTitle(QString::fromStdString(texts.title));
    m_filter->setPlaceholderText(QString::fromStdString(texts.filterPlaceholder));
    m_filter->setAccessibleName(QString::fromStdString(texts.filterName));
    m_table->setAccessibleName(QString::fromStdString(texts.tableName));
    m_rows->languageChanged();
}

PistonOverview::PistonOverview(const ConfigModel& model, QWidget* parent)
    : QDockWidget(parent), m_rows(new PistonOverviewModel(model, this)),
      m_shown(new QSortFilterProxyModel(this)) {
    setObjectName(QStringLiteral("dockPistonOverview"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    m_shown->setSourceModel(m_rows);
    m_shown->setFilterKeyColumn(-1);
    m_shown->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_shown->setSortRole(PistonOverviewModel::sortKeyRole);

    auto* contents = new QWidget(this);
    m_filter = new QLineEdit(contents);
    m_filter->setObjectName(QStringLiteral("txtOverviewFilter"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, m_shown, &QSortFilterProxyModel::setFilterFixedString);

    m_table = new QTableView(contents);
    m_table->setObjectName(QStringLiteral("grdPistonOverview"));
    m_table->setModel(m_shown);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    // A click on the selected row's label, or F2, edits the label; double-click elsewhere opens the piston
    // editor.
    m_table->setEditTriggers(QAbstractItemView::SelectedClicked);
    m_table->setItemDelegateForColumn(PistonOverviewModel::labelColumn, new PistonLabelDelegate(m_table));
    m_table->setAlternatingRowColors(true);
    // Tab leaves the table for the next control instead of walking its cells.
    m_table->setTabKeyNavigation(false);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(PistonOverviewModel::manualColumn, Qt::AscendingOrder);
    m_table->verticalHeader()->hide();
    // Rows as tall as a line of text, so that the dock shows many pistons at once.
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    QHeaderView* header = m_table->horizontalHeader();
    for (int column : {PistonOverviewModel::manualColumn, PistonOverviewModel::pistonColumn,
                       PistonOverviewModel::labelColumn, PistonOverviewModel::functionColumn})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->setStretchLastSection(true);
    m_table->installEventFilter(this);
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() == PistonOverviewModel::labelColumn)
            m_table->edit(index);
        else
            emit pistonActivated(pistonAt(index));
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PistonOverview::followSelection);
    // A reload with another manual count resets the rows; the piston stays selected if it is still there.
    connect(m_shown, &QAbstractItemModel::modelReset, this, [this] { selectPiston(m_selectedPiston); });

    auto* layout = new QVBoxLayout(contents);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_filter);
    layout->addWidget(m_table);
    setWidget(contents);
}

void PistonOverview::selectPiston(int pistonIndex) {
    const int row = m_rows->rowOf(pistonIndex);
    const QModelIndex shown = row < 0 ? QModelIndex() : m_shown->mapFromSource(m_rows->index(row, 0));
    if (!shown.isValid()) {
        m_table->clearSelection();
        // After a reset there was no selection to clear, and so no signal.
        if (std::exchange(m_selectedPiston, -1) != -1)
            emit pistonSelected(-1);
        return;
    }
    m_table->selectionModel()->setCurrentIndex(shown, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    m_table->scrollTo(shown);
}

int PistonOverview::pistonAt(const QModelIndex& viewIndex) const {
    return viewIndex.isValid() ? viewIndex.data(PistonOverviewModel::pistonIndexRole).toInt() : -1;
}

void PistonOverview::followSelection() {
    const QModelIndexList selected = m_table->selectionModel()->selectedRows();
    m_selectedPiston = selected.isEmpty() ? -1 : pistonAt(selected.first());
    emit pistonSelected(m_selectedPiston);
}

bool PistonOverview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QModelIndex current = m_table->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()) {
            emit pistonActivated(pistonAt(current));
            return true;
        }
        if (key == Qt::Key_F2 && current.isValid()) {
            m_table->edit(current.siblingAtColumn(PistonOverviewModel::labelColumn));
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace zkt
