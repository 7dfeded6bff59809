#include "app/mainwindow/manual_panel.h"

#include "app/mainwindow/keyboard_picture.h"
#include "app/mainwindow/piston_button_style.h"
#include "document/document_texts.h"
#include "model/piston_rail.h"
#include "widgets/plain_tool_tip.h"
#include "widgets/twips.h"

#include <QAction>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <map>

namespace zkt {

namespace {

constexpr int pistonTopTwips = 120;
constexpr int pistonSizeTwips = 255;
// The ring stays inside the gap to the neighbouring buttons (105 twips).
constexpr int highlightRingPixels = 3;
constexpr QRect railTwips(1560, 840, 10215, 435);
constexpr QRect keyboardTwips(1560, 90, 10215, 700);
// As tall as the panel allows: a manual's name wraps below its number.
constexpr QRect labelTwips(120, 90, 1320, 1155);

QRect toPixels(const QWidget* widget, const QRect& twips) {
    return {twipsToPixels(widget, twips.x()), twipsToPixels(widget, twips.y()),
            twipsToPixels(widget, twips.width()), twipsToPixels(widget, twips.height())};
}

// Made without its text, which retranslate() gives it.
QAction* addMenuEntry(QWidget& widget, const char* name,
                      QKeySequence::StandardKey shortcut = QKeySequence::UnknownKey) {
    auto* action = new QAction(&widget);
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

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lblKeyboard_%1").arg(manualIndex));
    m_title->setGeometry(toPixels(this, labelTwips));
    // A name is shown as typed, never read as markup.
    m_title->setTextFormat(Qt::PlainText);
    m_title->setWordWrap(true);
    QFont labelFont = m_title->font();
    labelFont.setBold(true);
    m_title->setFont(labelFont);

    auto* keyboard = new KeyboardPicture(this);
    m_keyboard = keyboard;
    keyboard->setObjectName(QStringLiteral("picKeyboard_%1").arg(manualIndex));
    keyboard->setGeometry(toPixels(this, keyboardTwips));
    setTitle(QStringLiteral("Manual #%1").arg(manualIndex + 1));
    connect(keyboard, &KeyboardPicture::clicked, this, [this] { emit keyboardClicked(m_manualIndex); });
    addKeyboardMenu(*keyboard);

    auto* rail = new QFrame(this);
    rail->setObjectName(QStringLiteral("fraPistonRail_%1").arg(manualIndex));
    rail->setGeometry(toPixels(this, railTwips));
    rail->setStyleSheet(pistonRailStyleSheet(rail->objectName()));

    for (int j = 0; j < pistonsPerManual; ++j) {
        const int pistonIndex = pistonIndexOf(manualIndex, j);
        auto* button = new QPushButton(rail);
        button->setObjectName(QStringLiteral("cmdPiston_%1").arg(pistonIndex));
        button->setGeometry(
            toPixels(this, QRect(pistonRailLeftTwips[j], pistonTopTwips, pistonSizeTwips, pistonSizeTwips)));
        button->setAutoFillBackground(true);
        // Enter as well as Space presses a button that has the focus.
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this,
                [this, pistonIndex] { emit pistonClicked(pistonIndex); });
        button->installEventFilter(this);
        m_pistons[j] = button;
        m_pastePiston[j] = addPistonMenu(*button, pistonIndex);
    }

    m_highlight = new QFrame(rail);
    m_highlight->setObjectName(QStringLiteral("shpPistonSelection_%1").arg(manualIndex));
    m_highlight->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_highlight->setStyleSheet(QStringLiteral("QFrame#%1 { border: %2px solid rgb(255, 215, 0); }")
                                   .arg(m_highlight->objectName())
                                   .arg(highlightRingPixels));
    m_highlight->hide();
    setPasteAvailable(false, false, false);
    retranslate();
}

void ManualPanel::setTitle(const QString& title) {
    m_title->setText(title);
    // A long name may not fit beside the keyboard.
    m_title->setToolTip(plainToolTip(title));
    m_keyboard->setAccessibleName(
        QString::fromStdString(documenttext::keyboardAccessibleName(title.toStdString())));
}

void ManualPanel::highlightPiston(int pistonInManual) {
    m_highlighted = pistonInManual >= 0 && pistonInManual < pistonsPerManual ? pistonInManual : -1;
    if (m_highlighted < 0) {
        m_highlight->hide();
        return;
    }
    const QRect button = m_pistons[m_highlighted]->geometry();
    m_highlight->setGeometry(button.adjusted(-highlightRingPixels, -highlightRingPixels, highlightRingPixels,
                                             highlightRingPixels));
    m_highlight->show();
}

bool ManualPanel::isPistonHighlighted(int pistonInManual) const {
    return m_highlighted >= 0 && m_highlighted == pistonInManual;
}

bool ManualPanel::eventFilter(QObject* watched, QEvent* event) {
    // Focus the user moved (a click, Tab); not the focus a window hands out when it opens.
    const auto userMoved = [](QEvent* focus) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(focus)->reason();
        return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
               reason == Qt::BacktabFocusReason;
    };
    if (event->type() == QEvent::FocusIn && userMoved(event)) {
        const auto button = std::find(m_pistons.begin(), m_pistons.end(), watched);
        if (button != m_pistons.end())
            emit pistonFocused(pistonIndexOf(m_manualIndex, static_cast<int>(button - m_pistons.begin())));
    }
    return QFrame::eventFilter(watched, event);
}

void ManualPanel::addKeyboardMenu(KeyboardPicture& keyboard) {
    keyboard.setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(addMenuEntry(keyboard, "mnuManualEdit"), &QAction::triggered, this,
            [this] { emit keyboardClicked(m_manualIndex); });
    const auto entry = [this, &keyboard](const char* name, ManualCommand command) {
        QAction* action = addMenuEntry(keyboard, name);
        connect(action, &QAction::triggered, this,
                [this, command] { emit manualCommandChosen(command, m_manualIndex); });
        return action;
    };
    addMenuSeparator(keyboard);
    entry("mnuManualSettingsCopy", ManualCommand::copySettings);
    m_pasteSettings = entry("mnuManualSettingsPaste", ManualCommand::pasteSettings);
    addMenuSeparator(keyboard);
    entry("mnuManualCopy", ManualCommand::copyManual);
    m_pasteManual = entry("mnuManualPaste", ManualCommand::pasteManual);
}

// Returns the paste entry, which is enabled only while a piston has been copied.
QAction* ManualPanel::addPistonMenu(QPushButton& button, int pistonIndex) {
    button.setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(addMenuEntry(button, "mnuPistonEdit"), &QAction::triggered, this,
            [this, pistonIndex] { emit pistonClicked(pistonIndex); });
    const auto entry = [this, &button, pistonIndex](const char* name, PistonCommand command,
                                                    QKeySequence::StandardKey shortcut) {
        QAction* action = addMenuEntry(button, name, shortcut);
        connect(action, &QAction::triggered, this,
                [this, command, pistonIndex] { emit pistonCommandChosen(command, pistonIndex); });
        return action;
    };
    addMenuSeparator(button);
    entry("mnuPistonCopy", PistonCommand::copy, QKeySequence::Copy);
    QAction* paste = entry("mnuPistonPaste", PistonCommand::paste, QKeySequence::Paste);
    entry("mnuPistonClear", PistonCommand::clear, QKeySequence::Delete);
    return paste;
}

void ManualPanel::retranslate() {
    const documenttext::MenuTexts menus = documenttext::menuTexts();
    const std::map<QString, const std::string*> texts = {
        {QStringLiteral("mnuManualEdit"), &menus.edit},
        {QStringLiteral("mnuPistonEdit"), &menus.edit},
        {QStringLiteral("mnuManualSettingsCopy"), &menus.copySettings},
        {QStringLiteral("mnuManualSettingsPaste"), &menus.pasteSettings},
        {QStringLiteral("mnuManualCopy"), &menus.copyManual},
        {QStringLiteral("mnuManualPaste"), &menus.pasteManual},
        {QStringLiteral("mnuPistonCopy"), &menus.copyPiston},
        {QStringLiteral("mnuPistonPaste"), &menus.pastePiston},
        {QStringLiteral("mnuPistonClear"), &menus.clearPiston},
    };
    for (QAction* action : findChildren<QAction*>()) {
        if (const auto text = texts.find(action->objectName()); text != texts.end())
            action->setText(QString::fromStdString(*text->second));
    }
}

void ManualPanel::setPasteAvailable(bool piston, bool manualSettings, bool manual) {
    for (QAction* paste : m_pastePiston)
        paste->setEnabled(piston);
    m_pasteSettings->setEnabled(manualSettings);
    m_pasteManual->setEnabled(manual);
}

} // namespace zkt
