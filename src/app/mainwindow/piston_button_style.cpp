#include "app/mainwindow/piston_button_style.h"

#include "i18n/tr.h"

#include "model/console_names.h"
#include "model/piston_description.h"
#include "widgets/plain_tool_tip.h"

#include <QPalette>
#include <QPushButton>
#include <QStyle>

namespace zkt {

namespace {

const char* const assignedProperty = "assigned";

} // namespace

QString pistonRailStyleSheet(const QString& railName) {
    return QStringLiteral("QFrame#%1 { background: rgb(120, 70, 40); }"
                          "QPushButton { background-color: %2; border: 1px solid rgb(60, 30, 15);"
                          " border-radius: 2px; }"
                          "QPushButton[%3=\"true\"] { background-color: %4; }"
                          "QPushButton:pressed { background-color: rgb(200, 200, 200); }"
                          "QPushButton:focus { border: 3px solid %5; }")
        .arg(railName, unassignedPistonColour.name(), QString::fromLatin1(assignedProperty),
             assignedPistonColour.name(), focusFrameColour.name());
}

void applyPistonStyle(QPushButton& button, const pistonInfo& piston, const std::string& label,
                      int pistonIndex) {
    const bool assigned = piston.functionGroup != 0;
    // The palette says the same as the style sheet, for whoever reads the colour from it.
    QPalette palette = button.palette();
    const QColor colour = assigned ? assignedPistonColour : unassignedPistonColour;
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Window, colour);
    button.setPalette(palette);
    if (button.property(assignedProperty).toBool() != assigned) {
        button.setProperty(assignedProperty, assigned);
        button.style()->unpolish(&button);
        button.style()->polish(&button);
    }
    const QString description = QString::fromStdString(describePiston(piston));
    const QString labelText = QString::fromStdString(oneLine(label));
    const QString place = QString::fromStdString(zkt::tr("Manual %1, piston %2"))
                              .arg(pistonIndex / pistonsPerManual + 1)
                              .arg(pistonIndex % pistonsPerManual + 1);
    if (labelText.isEmpty()) {
        button.setToolTip(description);
        button.setAccessibleName(place + QStringLiteral(": ") + description);
        return;
    }
    button.setToolTip(
        plainToolTip(description.isEmpty() ? labelText : labelText + QLatin1Char('\n') + description));
    button.setAccessibleName(labelText + QStringLiteral(" (") + place + QStringLiteral("): ") + description);
}

} // namespace zkt
