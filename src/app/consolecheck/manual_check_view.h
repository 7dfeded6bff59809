#pragma once
// One manual in the console check, drawn as the main window draws it: its title, its keyboard
// with each key as far as the check has got, its rail of 20 pistons (ticked once pressed or
// answered, lit while their message arrives, ringed while asked for), each shoe's value with the
// lowest and highest it reached, and its checklist in the check's words.

#include "app/consolecheck/check_keyboard.h"
#include "check/console_check.h"

#include <QFrame>
#include <array>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zkt {

class ManualCheckView : public QFrame {
    Q_OBJECT
public:
    // check outlives the view.
    ManualCheckView(const ConsoleCheck& check, int manual, QWidget* parent);

    int manual() const { return m_manual; }
    // What the check holds now: the keys, every piston, the shoes, the checklist.
    void drawAll();
    void drawKeys();
    // A piston's press arrived: it is lit for a moment, and drawn as it stands.
    void flashPiston(int piston);
    void drawPistons();
    void drawShoes();
    void drawChecklist();
    // Keys and pistons show that a click plays them.
    void setPlayable(bool playable);

    CheckKeyboard& keyboard() const { return *m_keyboard; }
    QPushButton* pistonButton(int piston) const { return m_pistons.at(static_cast<std::size_t>(piston - 1)); }

signals:
    void keyPressed(int manual, int key);
    void keyReleased(int manual, int key);
    void pistonPressed(int manual, int piston);
    void pistonReleased(int manual, int piston);

private:
    void drawPiston(int piston);

    const ConsoleCheck& m_check;
    int m_manual;
    CheckKeyboard* m_keyboard;
    std::array<QPushButton*, pistonsPerManual> m_pistons{};
    std::array<int, pistonsPerManual> m_flashes{}; // flashes of each piston still showing
    QLabel* m_checklist;
    std::vector<QLabel*> m_shoeLines;
    std::vector<QProgressBar*> m_shoeValues;
};

} // namespace zkt
