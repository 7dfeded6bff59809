#pragma once
// A manual's keyboard in the console check, over its compass: each key as far as the check has
// got (not expected, waiting, played, held down now). Keys clicked report their press and
// release, for the simulated console.

#include "check/check_looks.h"

#include <QWidget>
#include <optional>
#include <vector>

namespace zkt {

class CheckKeyboard : public QWidget {
    Q_OBJECT
public:
    using Look = KeyLook;

    CheckKeyboard(int compass, QWidget* parent);

    int compass() const { return m_compass; }
    // By key - 1, over the compass.
    void setLooks(std::vector<Look> looks);
    Look look(int key) const { return m_looks.at(static_cast<std::size_t>(key - 1)); }
    // Where a key lies, for a click on it.
    QRect keyRect(int key) const;

signals:
    void keyPressed(int key);
    void keyReleased(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_compass;
    std::vector<Look> m_looks;
    std::optional<int> m_pressed;
};

} // namespace zkt
