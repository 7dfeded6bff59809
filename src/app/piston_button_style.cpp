#include "app/piston_button_style.h"

#include "model/piston_description.h"

#include <QPalette>
#include <QPushButton>

namespace zkt {

void applyPistonStyle(QPushButton& button, const pistonInfo& piston) {
    QPalette palette = button.palette();
    const QColor colour = piston.functionGroup != 0 ? assignedPistonColour : unassignedPistonColour;
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Window, colour);
    button.setPalette(palette);
    button.setToolTip(QString::fromStdString(describePiston(piston)));
}

} // namespace zkt
