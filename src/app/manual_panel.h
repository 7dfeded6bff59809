#pragma once
// One manual's panel in the main window: its label, its keyboard picture and the rail of
// its 20 thumb-piston buttons, placed as designed in twips.

#include <QFrame>
#include <array>

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

signals:
    void pistonClicked(int pistonIndex);
    void keyboardClicked(int manualIndex);

private:
    int m_manualIndex;
    std::array<QPushButton*, 20> m_pistons{};
};

} // namespace zkt
