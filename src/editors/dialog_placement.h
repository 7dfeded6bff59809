#pragma once
// Where the editors appear: over the main window, at offsets designed in twips.

#include <QPoint>

class QWidget;

namespace zkt {

// The centre of the window that owns dialog (its parent's top-level window), in screen
// coordinates; the dialog's own centre when it has no parent.
QPoint ownerWindowCentre(const QWidget& dialog);

// Moves dialog so that its centre lies at centre, but keeps it on its screen.
void centreDialogAt(QWidget& dialog, QPoint centre);

} // namespace zkt
