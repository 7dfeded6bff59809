#pragma once
// The MIDI monitor's list as a Qt model over the traffic log: one row per message, oldest
// first, at most TrafficLog::capacity rows.

#include "link/traffic_log.h"

#include <QAbstractTableModel>
#include <QString>
#include <span>

namespace zkt {

class TrafficTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { sinceStart, sincePrevious, direction, length, meaning, columnCount_ };

    explicit TrafficTableModel(Micros start, QObject* parent = nullptr);

    // Adds the messages as the newest rows; the oldest go once the log is full.
    void append(std::span<const TrafficRecord> records);
    void clear(Micros start);
    // The row as the text file and the clipboard get it.
    QString lineAt(int row) const;
    std::size_t dropped() const { return m_log.dropped(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    TrafficLog m_log;
};

} // namespace zkt
