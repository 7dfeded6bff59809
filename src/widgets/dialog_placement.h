#pragma once
// Where dialogs and small windows appear: over the window they belong to.

#include <QPoint>

class QWidget;

namespace zkt {

// The centre of the window that owns dialog (its parent's top-level window), in screen
// coordinates; the dialog's own centre when it has no parent.
QPoint ownerWindowCentre(const QWidget& dialog);

// Moves dialog so that its centre lies at centre, but keeps it on its screen.
void centreDialogAt(QWidget& dialog, QPoint centre);

// Centres window's frame over over's frame, as the status window and the MIDI setup sit over
// the window that opened them.
void centreOver(QWidget& window, const QWidget& over);

} // namespace zkt
