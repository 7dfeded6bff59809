#include "app/consolecheck/check_keyboard.h"

#include "app/mainwindow/keyboard_drawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace zkt {

namespace {

std::optional<QColor> colourOf(CheckKeyboard::Look look, bool black) {
    switch (look) {
    case CheckKeyboard::Look::notExpected:
        return black ? QColor(120, 120, 120) : QColor(205, 205, 205);
    case CheckKeyboard::Look::waiting:
        return std::nullopt;
    case CheckKeyboard::Look::played:
        return black ? QColor(30, 110, 40) : QColor(175, 225, 175);
    case CheckKeyboard::Look::held:
        return QColor(255, 160, 0);
    }
    return std::nullopt;
}

} // namespace

CheckKeyboard::CheckKeyboard(int compass, QWidget* parent)
    : QWidget(parent), m_compass(compass), m_looks(static_cast<std::size_t>(compass), Look::waiting) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CheckKeyboard::setLooks(std::vector<Look> looks) {
    if (looks == m_looks)
        return;
    m_looks = std::move(looks);
    update();
}

QRect CheckKeyboard::keyRect(int key) const {
    for (const KeyShape& shape : keyShapes(m_compass, rect())) {
        if (shape.key == key)
            return shape.rect.toRect();
    }
    return {};
}

void CheckKeyboard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawKeyboard(painter, rect(), m_compass, [this](const KeyShape& shape) {
        return colourOf(m_looks.at(static_cast<std::size_t>(shape.key - 1)), shape.black);
    });
}

void CheckKeyboard::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = keyAt(m_compass, rect(), event->position());
    if (m_pressed)
        emit keyPressed(*m_pressed);
}

void CheckKeyboard::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    emit keyReleased(*std::exchange(m_pressed, std::nullopt));
}

} // namespace zkt
