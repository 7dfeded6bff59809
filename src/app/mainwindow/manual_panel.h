#pragma once
// One manual's panel in the main window: its label, its keyboard picture and the rail of
// its 20 thumb-piston buttons, placed as designed in twips. The keyboard picture and every
// button have a context menu; a button's entries also work as shortcuts while it has the focus.

#include "app/mainwindow/panel_commands.h"

#include <QFrame>
#include <array>

class QAction;
class QLabel;
class QPushButton;

namespace zkt {

class KeyboardPicture;

class ManualPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int designWidthTwips = 12015;
    static constexpr int designHeightTwips = 1335;
    static constexpr int designLeftTwips = 360;

    // manualIndex 0..4; buttons are named after their pistonIndex.
    ManualPanel(int manualIndex, QWidget* parent);

    QPushButton* pistonButton(int pistonInManual) const { return m_pistons.at(pistonInManual); }
    int manualIndex() const { return m_manualIndex; }
    // "Manual #1 — Great": beside the keyboard, and in the keyboard's accessible name.
    void setTitle(const QString& title);
    // The context menus' texts in the language now chosen.
    void retranslate();
    // Rings the piston's button (the one selected in the overview); -1 rings none.
    void highlightPiston(int pistonInManual);
    bool isPistonHighlighted(int pistonInManual) const;

    // Enables the paste entries for what has been copied.
    void setPasteAvailable(bool piston, bool manualSettings, bool manual);

signals:
    void pistonClicked(int pistonIndex);
    // A button got the keyboard focus (by a click or by Tab).
    void pistonFocused(int pistonIndex);
    void keyboardClicked(int manualIndex);
    void pistonCommandChosen(PistonCommand command, int pistonIndex);
    void manualCommandChosen(ManualCommand command, int manualIndex);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addKeyboardMenu(KeyboardPicture& keyboard);
    QAction* addPistonMenu(QPushButton& button, int pistonIndex);

    int m_manualIndex;
    QLabel* m_title = nullptr;
    KeyboardPicture* m_keyboard = nullptr;
    std::array<QPushButton*, 20> m_pistons{};
    QFrame* m_highlight = nullptr;
    int m_highlighted = -1;
    std::array<QAction*, 20> m_pastePiston{};
    QAction* m_pasteSettings = nullptr;
    QAction* m_pasteManual = nullptr;
};

} // namespace zkt
