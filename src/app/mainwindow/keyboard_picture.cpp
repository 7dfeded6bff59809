#include "app/mainwindow/keyboard_picture.h"

#include "app/mainwindow/piston_button_style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zkt {

namespace {

constexpr int whiteKeys = 35; // five octaves, C to B
// Positions within an octave's seven white keys after which a black key sits.
constexpr bool blackAfter[7] = {true, true, false, true, true, true, false};
constexpr int focusFramePixels = 3;

} // namespace

KeyboardPicture::KeyboardPicture(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(QStringLiteral("Click to configure this manual's MIDI channels"));
}

void KeyboardPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal keyWidth = width() / qreal(whiteKeys);
    painter.fillRect(rect(), QColor(250, 248, 240));
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    for (int k = 0; k <= whiteKeys; ++k)
        painter.drawLine(QPointF(k * keyWidth, 0), QPointF(k * keyWidth, height()));
    painter.drawLine(QPointF(0, height() - 0.5), QPointF(width(), height() - 0.5));
    const qreal blackWidth = keyWidth * 0.6;
    const qreal blackHeight = height() * 0.6;
    for (int k = 0; k < whiteKeys - 1; ++k) {
        if (blackAfter[k % 7])
            painter.fillRect(QRectF((k + 1) * keyWidth - blackWidth / 2, 0, blackWidth, blackHeight),
                             QColor(25, 25, 25));
    }
    painter.fillRect(QRectF(0, 0, width(), 3), QColor(110, 60, 30));
    if (hasFocus()) {
        const qreal inset = focusFramePixels / 2.0;
        painter.setPen(QPen(focusFrameColour, focusFramePixels));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
    }
}

void KeyboardPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void KeyboardPicture::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Select:
        emit clicked();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void KeyboardPicture::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void KeyboardPicture::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace zkt
