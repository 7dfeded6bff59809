#pragma once
// Between a window and the toolkit-free placement record the settings file stores (twips).

#include "settings/form_geometry.h"

class QWidget;

namespace zkt {

// The window's normal placement, show state and screen, in twips.
FormGeometry formGeometryOf(const QWidget& window);
// Moves and sizes the window to the record's normal placement; maximises it when the record
// says so. Does not show the window.
void applyFormGeometry(QWidget& window, const FormGeometry& geometry);
// Shrinks the window to its screen's free area where it is larger and centres it there.
void centreOnScreen(QWidget& window);

} // namespace zkt
