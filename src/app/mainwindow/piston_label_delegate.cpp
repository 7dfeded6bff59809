#include "app/mainwindow/piston_label_delegate.h"

#include "i18n/tr.h"

#include "editors/console_name_input.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace zkt {

QWidget* PistonLabelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex&) const {
    QLineEdit* input = newConsoleNameInput(*parent, QStringLiteral("txtOverviewLabel"),
                                           QString::fromStdString(zkt::tr("Label of the piston")));
    input->setFrame(false);
    return input;
}
bool PistonLabelDelegate::eventFilter(QObject* editor, QEvent* event) {
    const bool handled = QStyledItemDelegate::eventFilter(editor, event);
    // Enter ends the typing, and no more: passed on to the overview, it would open the piston editor.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return handled;
}

} // namespace zkt
