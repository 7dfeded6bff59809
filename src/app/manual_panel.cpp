#include "app/manual_panel.h"

#include "app/keyboard_picture.h"
#include "model/config_model.h"
#include "widgets/twips.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace zkt {

namespace {

// Left edges of the buttons in their rail; the gaps group them as on the console.
constexpr std::array<int, pistonsPerManual> pistonLeftTwips = {
    540,  1260, 1620, 1980, 2340, 2700, 3420, 4140, 4500, 4860,
    5220, 5580, 6300, 6660, 7380, 7740, 8100, 8460, 8820, 9540,
};
constexpr int pistonTopTwips = 120;
constexpr int pistonSizeTwips = 255;
constexpr QRect railTwips(1560, 840, 10215, 435);
constexpr QRect keyboardTwips(1560, 90, 10215, 700);
constexpr QRect labelTwips(120, 360, 1320, 600);

QRect toPixels(const QWidget* widget, const QRect& twips) {
    return {twipsToPixels(widget, twips.x()), twipsToPixels(widget, twips.y()),
            twipsToPixels(widget, twips.width()), twipsToPixels(widget, twips.height())};
}

QAction* addMenuEntry(QWidget& widget, const QString& text, const char* name,
                      QKeySequence::StandardKey shortcut = QKeySequence::UnknownKey) {
    auto* action = new QAction(text, &widget);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(shortcut);
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
    widget.addAction(action);
    return action;
}

void addMenuSeparator(QWidget& widget) {
    auto* separator = new QAction(&widget);
    separator->setSeparator(true);
    widget.addAction(separator);
}

} // namespace

ManualPanel::ManualPanel(int manualIndex, QWidget* parent) : QFrame(parent), m_manualIndex(manualIndex) {
    setObjectName(QStringLiteral("fraManual_%1").arg(manualIndex));
    setFrameShape(QFrame::StyledPanel);
    resize(twipsToPixels(this, designWidthTwips), twipsToPixels(this, designHeightTwips));

    auto* label = new QLabel(QStringLiteral("Manual #%1").arg(manualIndex + 1), this);
    label->setObjectName(QStringLiteral("lblKeyboard_%1").arg(manualIndex));
    label->setGeometry(toPixels(this, labelTwips));
    QFont labelFont = label->font();
    labelFont.setBold(true);
    label->setFont(labelFont);

    auto* keyboard = new KeyboardPicture(this);
    keyboard->setObjectName(QStringLiteral("picKeyboard_%1").arg(manualIndex));
    keyboard->setGeometry(toPixels(this, keyboardTwips));
    connect(keyboard, &KeyboardPicture::clicked, this, [this] { emit keyboardClicked(m_manualIndex); });
    addKeyboardMenu(*keyboard);

    auto* rail = new QFrame(this);
    rail->setObjectName(QStringLiteral("fraPistonRail_%1").arg(manualIndex));
    rail->setGeometry(toPixels(this, railTwips));
    rail->setStyleSheet(
        QStringLiteral("QFrame#%1 { background: rgb(120, 70, 40); }").arg(rail->objectName()));

    for (int j = 0; j < pistonsPerManual; ++j) {
        const int pistonIndex = pistonIndexOf(manualIndex, j);
        auto* button = new QPushButton(rail);
        button->setObjectName(QStringLiteral("cmdPiston_%1").arg(pistonIndex));
        button->setGeometry(
            toPixels(this, QRect(pistonLeftTwips[j], pistonTopTwips, pistonSizeTwips, pistonSizeTwips)));
        button->setAutoFillBackground(true);
        connect(button, &QPushButton::clicked, this,
                [this, pistonIndex] { emit pistonClicked(pistonIndex); });
        m_pistons[j] = button;
        m_pastePiston[j] = addPistonMenu(*button, pistonIndex);
    }
    setPasteAvailable(false, false, false);
}

void ManualPanel::addKeyboardMenu(KeyboardPicture& keyboard) {
    keyboard.setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(addMenuEntry(keyboard, QStringLiteral("&Edit…"), "mnuManualEdit"), &QAction::triggered, this,
            [this] { emit keyboardClicked(m_manualIndex); });
    const auto entry = [this, &keyboard](const QString& text, const char* name, ManualCommand command) {
        QAction* action = addMenuEntry(keyboard, text, name);
        connect(action, &QAction::triggered, this,
                [this, command] { emit manualCommandChosen(command, m_manualIndex); });
        return action;
    };
    addMenuSeparator(keyboard);
    entry(QStringLiteral("Copy Manual &Settings"), "mnuManualSettingsCopy", ManualCommand::copySettings);
    m_pasteSettings = entry(QStringLiteral("Paste Manual Se&ttings"), "mnuManualSettingsPaste",
                            ManualCommand::pasteSettings);
    addMenuSeparator(keyboard);
    entry(QStringLiteral("&Copy Manual"), "mnuManualCopy", ManualCommand::copyManual);
    m_pasteManual = entry(QStringLiteral("&Paste Manual"), "mnuManualPaste", ManualCommand::pasteManual);
}

// Returns the paste entry, which is enabled only while a piston has been copied.
QAction* ManualPanel::addPistonMenu(QPushButton& button, int pistonIndex) {
    button.setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(addMenuEntry(button, QStringLiteral("&Edit…"), "mnuPistonEdit"), &QAction::triggered, this,
            [this, pistonIndex] { emit pistonClicked(pistonIndex); });
    const auto entry = [this, &button, pistonIndex](const QString& text, const char* name,
                                                    PistonCommand command,
                                                    QKeySequence::StandardKey shortcut) {
        QAction* action = addMenuEntry(button, text, name, shortcut);
        connect(action, &QAction::triggered, this,
                [this, command, pistonIndex] { emit pistonCommandChosen(command, pistonIndex); });
        return action;
    };
    addMenuSeparator(button);
    entry(QStringLiteral("&Copy"), "mnuPistonCopy", PistonCommand::copy, QKeySequence::Copy);
    QAction* paste =
        entry(QStringLiteral("&Paste"), "mnuPistonPaste", PistonCommand::paste, QKeySequence::Paste);
    entry(QStringLiteral("C&lear (Unassigned)"), "mnuPistonClear", PistonCommand::clear,
          QKeySequence::Delete);
    return paste;
}

void ManualPanel::setPasteAvailable(bool piston, bool manualSettings, bool manual) {
    for (QAction* paste : m_pastePiston)
        paste->setEnabled(piston);
    m_pasteSettings->setEnabled(manualSettings);
    m_pasteManual->setEnabled(manual);
}

} // namespace zkt
