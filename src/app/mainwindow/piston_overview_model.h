#pragma once
// Every piston of the configured manuals as a table row: manual, piston, its label on the
// console, the description its tool-tip shows, and the detail that the description leaves out.
// The rows read the model when asked, so whoever changes the configuration only has to say so.
// The label can be edited in place; the edit is asked for, not made (labelEdited).

#include "model/config_model.h"

#include <QAbstractTableModel>

namespace zkt {

class PistonOverviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { manualColumn, pistonColumn, labelColumn, functionColumn, detailColumn };
    static constexpr int columns = 5;
    // The row's pistonIndex, for views that sort and filter the rows.
    static constexpr int pistonIndexRole = Qt::UserRole;
    // What the rows sort by: the piston's place for the manual and piston columns.
    static constexpr int sortKeyRole = Qt::UserRole + 1;

    explicit PistonOverviewModel(const ConfigModel& model, QObject* parent = nullptr);

    // The configuration changed as a whole (a load, an undo, a paste of a manual).
    void configurationChanged();
    // The headings and texts again, in the language now chosen.
    void languageChanged();
    // One piston changed (an editor's Save, a paste onto one piston).
    void pistonChanged(int pistonIndex);

    int rowOf(int pistonIndex) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Asks for the label through labelEdited; the change comes back as any other does.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void labelEdited(int pistonIndex, const QString& label);

private:
    int manualsShown() const;

    const ConfigModel& m_model;
    int m_rows = 0; // as the views last learnt it
};

} // namespace zkt
