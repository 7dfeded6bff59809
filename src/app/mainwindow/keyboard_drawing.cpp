#include "app/mainwindow/keyboard_drawing.h"

#include <QPainter>

namespace zkt {

namespace {

constexpr int semitones = 12;
// The places of an octave, from C, that are black keys.
constexpr bool blackInOctave[semitones] = {false, true,  false, true,  false, false,
                                           true,  false, true,  false, true,  false};
constexpr qreal blackWidthOfWhite = 0.6;
constexpr qreal blackHeightOfKeys = 0.6;
constexpr qreal woodPixels = 3;

const QColor whiteKeyColour(250, 248, 240);
const QColor blackKeyColour(25, 25, 25);
const QColor jointColour(90, 90, 90);
const QColor woodColour(110, 60, 30);

bool isBlack(int key) {
    return blackInOctave[(key - 1) % semitones];
}

} // namespace

std::vector<KeyShape> keyShapes(int compass, const QRectF& area) {
    int whites = 0;
    for (int key = 1; key <= compass; ++key)
        whites += isBlack(key) ? 0 : 1;
    // A compass that ends on a black key leaves it half a white key of room.
    const qreal places = whites + (compass > 0 && isBlack(compass) ? 0.5 : 0.0);
    const qreal whiteWidth = places > 0 ? area.width() / places : area.width();
    const qreal blackWidth = whiteWidth * blackWidthOfWhite;
    std::vector<KeyShape> whiteKeys;
    std::vector<KeyShape> blackKeys;
    int whitesBefore = 0;
    for (int key = 1; key <= compass; ++key) {
        if (isBlack(key)) {
            const qreal joint = area.left() + whitesBefore * whiteWidth;
            blackKeys.push_back(
                {key, true,
                 QRectF(joint - blackWidth / 2, area.top(), blackWidth, area.height() * blackHeightOfKeys)});
        } else {
            whiteKeys.push_back(
                {key, false,
                 QRectF(area.left() + whitesBefore * whiteWidth, area.top(), whiteWidth, area.height())});
            ++whitesBefore;
        }
    }
    whiteKeys.insert(whiteKeys.end(), blackKeys.begin(), blackKeys.end());
    return whiteKeys;
}

std::optional<int> keyAt(int compass, const QRectF& area, const QPointF& point) {
    const std::vector<KeyShape> shapes = keyShapes(compass, area);
    // Black keys lie on top: they are looked at first.
    for (auto shape = shapes.rbegin(); shape != shapes.rend(); ++shape) {
        if (shape->rect.contains(point))
            return shape->key;
    }
    return std::nullopt;
}

void drawKeyboard(QPainter& painter, const QRectF& area, int compass, const KeyFill& fill) {
    painter.save();
    painter.fillRect(area, whiteKeyColour);
    painter.setPen(QPen(jointColour, 1));
    for (const KeyShape& shape : keyShapes(compass, area)) {
        const std::optional<QColor> colour = fill ? fill(shape) : std::nullopt;
        if (shape.black) {
            painter.fillRect(shape.rect, colour.value_or(blackKeyColour));
            continue;
        }
        if (colour)
            painter.fillRect(shape.rect, *colour);
        painter.drawLine(shape.rect.topLeft(), shape.rect.bottomLeft());
        painter.drawLine(shape.rect.topRight(), shape.rect.bottomRight());
    }
    painter.drawLine(QPointF(area.left(), area.bottom() - 0.5), QPointF(area.right(), area.bottom() - 0.5));
    painter.fillRect(QRectF(area.left(), area.top(), area.width(), woodPixels), woodColour);
    painter.restore();
}

} // namespace zkt
