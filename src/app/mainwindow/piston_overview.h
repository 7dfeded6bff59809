#pragma once
// The piston overview: a dock beside the manual panels with one row per piston, a filter box,
// and the selected row kept in step with the highlighted piston button.

#include "app/mainwindow/piston_overview_model.h"

#include <QDockWidget>

class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace zkt {

class PistonOverview : public QDockWidget {
    Q_OBJECT
public:
    explicit PistonOverview(const ConfigModel& model, QWidget* parent = nullptr);

    PistonOverviewModel& rows() { return *m_rows; }
    // Its texts in the language now chosen.
    void retranslate();
    // Selects the piston's row, or nothing for -1 or a piston whose row is filtered out.
    void selectPiston(int pistonIndex);
    int selectedPiston() const { return m_selectedPiston; }

signals:
    // The user selected a row (-1: none).
    void pistonSelected(int pistonIndex);
    // Double click or Enter on a row: the piston is to be edited.
    void pistonActivated(int pistonIndex);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int pistonAt(const QModelIndex& viewIndex) const;
    void followSelection();

    PistonOverviewModel* m_rows;
    QSortFilterProxyModel* m_shown;
    QLineEdit* m_filter;
    QTableView* m_table;
    int m_selectedPiston = -1;
};

} // namespace zkt
