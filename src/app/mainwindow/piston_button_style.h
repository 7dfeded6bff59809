#pragma once
// How a piston button shows its piston: light red when it does something, white when not,
// a bold frame while it has the keyboard focus, and its label and one-line description as its
// tool-tip and in its accessible name, the label first.

#include "model/config_model.h"

#include <QColor>
#include <QString>
#include <string>

class QPushButton;

namespace zkt {

inline const QColor assignedPistonColour(255, 128, 128);
inline const QColor unassignedPistonColour(Qt::white);
// The frame of a piston button or keyboard picture with the keyboard focus: blue stands out on
// the brown rail, on both button colours and on the keys.
inline const QColor focusFrameColour(0, 90, 255);

// The style sheet of the rail the buttons sit on, whose object name is railName.
QString pistonRailStyleSheet(const QString& railName);

// label: the piston's label on the console, UTF-8, empty for none.
void applyPistonStyle(QPushButton& button, const pistonInfo& piston, const std::string& label,
                      int pistonIndex);

} // namespace zkt
