#pragma once
// The keys of a keyboard picture, counted from C as the configuration counts them (key 1 is the
// lowest C): where each lies and how it is drawn. The main window's picture and the console
// check's keyboard are both drawn with it.

#include <QColor>
#include <QRectF>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace zkt {

struct KeyShape {
    int key = 1;
    bool black = false;
    QRectF rect;
};

// Keys 1..compass over area: the white keys side by side, each black key over the joint of its
// two white neighbours. White keys first, then black keys, as they are painted.
std::vector<KeyShape> keyShapes(int compass, const QRectF& area);

// The key under point, a black key before the white key below it; none outside the keys.
std::optional<int> keyAt(int compass, const QRectF& area, const QPointF& point);

// What colour a key is drawn in; none: the plain colour of a white or a black key.
using KeyFill = std::function<std::optional<QColor>(const KeyShape&)>;

// The keys with the wooden strip above them.
void drawKeyboard(QPainter& painter, const QRectF& area, int compass, const KeyFill& fill = {});

} // namespace zkt
