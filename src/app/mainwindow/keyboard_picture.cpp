#include "app/mainwindow/keyboard_picture.h"

#include "i18n/tr.h"

#include "app/mainwindow/keyboard_drawing.h"
#include "app/mainwindow/piston_button_style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zkt {

namespace {

constexpr int pictureCompass = 60; // five octaves, C to B
constexpr int focusFramePixels = 3;

} // namespace

KeyboardPicture::KeyboardPicture(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(QString::fromStdString(zkt::tr("Click to configure this manual's MIDI channels")));
}

void KeyboardPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawKeyboard(painter, rect(), pictureCompass);
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
