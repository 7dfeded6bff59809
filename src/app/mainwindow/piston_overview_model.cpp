#include "app/mainwindow/piston_overview_model.h"

#include "document/document_texts.h"
#include "model/console_names.h"
#include "model/piston_description.h"

#include <QBrush>
#include <QFont>
#include <algorithm>
#include <array>

namespace zkt {

PistonOverviewModel::PistonOverviewModel(const ConfigModel& model, QObject* parent)
    : QAbstractTableModel(parent), m_model(model), m_rows(manualsShown() * pistonsPerManual) {}

int PistonOverviewModel::manualsShown() const {
    // As many as the window has panels for, whatever count a file or device reported.
    return std::clamp<int>(m_model.numberOfManuals, 0, maxManuals);
}

void PistonOverviewModel::languageChanged() {
    emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
    configurationChanged();
}

void PistonOverviewModel::configurationChanged() {
    const int rows = manualsShown() * pistonsPerManual;
    if (rows != m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    } else if (rows > 0) {
        // Same rows, new texts: views keep their selection and scroll position.
        emit dataChanged(index(0, 0), index(rows - 1, columns - 1));
    }
}

void PistonOverviewModel::pistonChanged(int pistonIndex) {
    const int row = rowOf(pistonIndex);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, columns - 1));
}

int PistonOverviewModel::rowOf(int pistonIndex) const {
    return pistonIndex >= 0 && pistonIndex < m_rows ? pistonIndex : -1;
}

int PistonOverviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int PistonOverviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant PistonOverviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    const int pistonIndex = index.row();
    const pistonInfo& piston = m_model.pistons[pistonIndex];
    const bool assigned = piston.functionGroup != 0;
    switch (role) {
    case pistonIndexRole:
        return pistonIndex;
    case sortKeyRole:
        // Numbers sort as numbers, and a piston's place decides among equals, whatever the
        // filter and the edits have done to the rows' order.
        switch (index.column()) {
        case manualColumn:
            return pistonIndex;
        case pistonColumn:
            return (pistonIndex % pistonsPerManual) * maxManuals + pistonIndex / pistonsPerManual;
        default:
            return data(index, Qt::DisplayRole).toString() + QChar(0) +
                   QStringLiteral("%1").arg(pistonIndex, 3, 10, QLatin1Char('0'));
        }
    case Qt::DisplayRole:
        switch (index.column()) {
        case manualColumn:
            return pistonIndex / pistonsPerManual + 1;
        case pistonColumn:
            return pistonIndex % pistonsPerManual + 1;
        case labelColumn:
            return QString::fromStdString(
                oneLine(m_model.names.pistonLabels[static_cast<std::size_t>(pistonIndex)]));
        case functionColumn:
            return QString::fromStdString(pistonFunctionText(piston));
        case detailColumn:
            return QString::fromStdString(describePistonDetail(piston));
        }
        return {};
    case Qt::EditRole:
        return index.column() == labelColumn
                   ? QString::fromStdString(m_model.names.pistonLabels[static_cast<std::size_t>(pistonIndex)])
                   : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() <= pistonColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::FontRole:
        if (!assigned && index.column() == functionColumn) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        return {};
    case Qt::ForegroundRole:
        return assigned ? QVariant() : QVariant(QBrush(Qt::gray));
    }
    return {};
}

QVariant PistonOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const auto headings = documenttext::overviewTexts().columns;
    static_assert(std::tuple_size_v<decltype(headings)> == columns);
    return section >= 0 && section < columns
               ? QString::fromStdString(headings[static_cast<std::size_t>(section)])
               : QVariant();
}

Qt::ItemFlags PistonOverviewModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.isValid() && index.column() == labelColumn ? flags | Qt::ItemIsEditable : flags;
}

bool PistonOverviewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != labelColumn || index.row() >= m_rows)
        return false;
    emit labelEdited(index.row(), value.toString());
    return true;
}

} // namespace zkt
