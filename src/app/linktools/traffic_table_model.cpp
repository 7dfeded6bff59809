#include "app/linktools/traffic_table_model.h"

#include "link/monitor_texts.h"

#include <algorithm>

namespace zkt {

namespace {

QString milliseconds(Micros time) {
    return QString::number(static_cast<double>(time.count()) / 1000.0, 'f', 1);
}

} // namespace

TrafficTableModel::TrafficTableModel(Micros start, QObject* parent)
    : QAbstractTableModel(parent), m_log(start) {}

void TrafficTableModel::append(std::span<const TrafficRecord> records) {
    // One removal and one insertion per batch: a view over a full list redoes its mapping
    // once, not once per message.
    while (!records.empty()) {
        const auto batch = records.first(std::min(records.size(), TrafficLog::capacity));
        records = records.subspan(batch.size());
        const std::size_t after = m_log.size() + batch.size();
        const std::size_t overflow = after > TrafficLog::capacity ? after - TrafficLog::capacity : 0;
        if (overflow > 0) {
            beginRemoveRows({}, 0, static_cast<int>(overflow) - 1);
            for (std::size_t i = 0; i < overflow; ++i)
                m_log.dropOldest();
            endRemoveRows();
        }
        const int first = rowCount();
        beginInsertRows({}, first, first + static_cast<int>(batch.size()) - 1);
        for (const TrafficRecord& record : batch)
            m_log.add(record);
        endInsertRows();
    }
}

void TrafficTableModel::clear(Micros start) {
    beginResetModel();
    m_log.clear(start);
    endResetModel();
}

QString TrafficTableModel::lineAt(int row) const {
    return QString::fromStdString(trafficLine(m_log.entry(static_cast<std::size_t>(row))));
}

int TrafficTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_log.size());
}

int TrafficTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

QVariant TrafficTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TrafficEntry& entry = m_log.entry(static_cast<std::size_t>(index.row()));
    if (role == Qt::TextAlignmentRole)
        return index.column() == meaning ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                         : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case sinceStart:
        return milliseconds(entry.sinceStart);
    case sincePrevious:
        return milliseconds(entry.sincePrevious);
    case direction:
        return entry.direction == TrafficDirection::sent ? QStringLiteral("sent")
                                                         : QStringLiteral("received");
    case length:
        return static_cast<qulonglong>(entry.length);
    case meaning:
        return QString::fromStdString(entry.meaning);
    default:
        return {};
    }
}

QVariant TrafficTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const std::vector<std::string> columns = monitortext::columns();
    if (section < 0 || section >= static_cast<int>(columns.size()))
        return {};
    return QString::fromStdString(columns[static_cast<std::size_t>(section)]);
}

} // namespace zkt
