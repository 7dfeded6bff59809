#pragma once
// "MIDI Monitor": every message the program sends and receives, live, with its time, length
// and meaning. Messages are collected as they pass and shown a moment later, so that watching
// never holds up a transfer.

#include "app/linktools/traffic_table_model.h"
#include "link/clock.h"
#include "link/traffic.h"

#include <QTimer>
#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace zkt {

class MidiMonitorWindow : public QWidget {
    Q_OBJECT
public:
    // How often collected messages join the list.
    static constexpr int refreshMs = 100;

    // folder: where Save starts.
    MidiMonitorWindow(const Clock& clock, QString folder, QWidget* parent = nullptr);

    // The port's observer: called for every message, on the window's thread.
    void record(const TrafficRecord& record);
    // Adds what has been collected to the list now rather than at the next refresh.
    void refresh();

    TrafficTableModel& model() { return m_model; }
    // The rows the filter lets through, as text lines.
    QStringList visibleLines() const;
    // Writes them to a text file; a failure is shown, naming the file and the reason.
    bool saveTo(const QString& path);

private:
    QString shownLine(int shownRow) const;
    void copyLines();
    void saveLines();
    void clearList();
    void pauseToggled(bool paused);
    void showCount();

    const Clock& m_clock;
    QString m_folder;
    TrafficTableModel m_model;
    QSortFilterProxyModel* m_filtered;
    QTableView* m_table;
    QLineEdit* m_filter;
    QPushButton* m_pause;
    QLabel* m_count;
    QTimer m_refreshTimer;
    std::vector<TrafficRecord> m_collected;
    int m_notRecorded = 0; // messages that passed while paused
};

} // namespace zkt
