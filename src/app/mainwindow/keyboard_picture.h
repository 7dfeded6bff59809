#pragma once
// The picture of a manual's keyboard in its panel; a click, or Enter or Space while it has the
// keyboard focus, opens the keyboard settings.

#include <QWidget>

namespace zkt {

class KeyboardPicture : public QWidget {
    Q_OBJECT
public:
    explicit KeyboardPicture(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace zkt
