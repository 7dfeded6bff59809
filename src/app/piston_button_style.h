#pragma once
// How a piston button shows its piston: light red when it does something, white when not,
// and the one-line description as its tool-tip.

#include "model/config_model.h"

#include <QColor>

class QPushButton;

namespace zkt {

inline const QColor assignedPistonColour(255, 128, 128);
inline const QColor unassignedPistonColour(Qt::white);

void applyPistonStyle(QPushButton& button, const pistonInfo& piston);

} // namespace zkt
