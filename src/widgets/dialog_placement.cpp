#include "widgets/dialog_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace zkt {

QPoint ownerWindowCentre(const QWidget& dialog) {
    const QWidget* owner = dialog.parentWidget();
    if (owner == nullptr) {
        return dialog.frameGeometry().center();
    }
    return owner->window()->frameGeometry().center();
}

void centreDialogAt(QWidget& dialog, QPoint centre) {
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(centre);
    if (const QScreen* screen = dialog.screen()) {
        // A main window near the screen edge must not push the editor out of reach.
        const QRect available = screen->availableGeometry();
        frame.moveLeft(std::clamp(frame.left(), available.left(),
                                  std::max(available.left(), available.right() - frame.width() + 1)));
        frame.moveTop(std::clamp(frame.top(), available.top(),
                                 std::max(available.top(), available.bottom() - frame.height() + 1)));
    }
    dialog.move(frame.topLeft());
}

void centreOver(QWidget& window, const QWidget& over) {
    const QRect area = over.frameGeometry();
    window.move(area.left() + (area.width() - window.frameGeometry().width()) / 2,
                area.top() + (area.height() - window.frameGeometry().height()) / 2);
}

} // namespace zkt
