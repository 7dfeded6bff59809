#pragma once
// The piston overview's Label cells are typed into as the piston editor's label is: the same
// limit, however the text was typed or pasted.

#include <QStyledItemDelegate>

namespace zkt {

class PistonLabelDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;
};

} // namespace zkt
