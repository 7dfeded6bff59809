#include "app/mainwindow/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <map>

namespace zkt {

namespace {

// Drawn on a 32 x 32 grid and scaled by QIcon.
constexpr int grid = 32;
const QColor ink(40, 40, 40);

void drawFolder(QPainter& p) {
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(240, 200, 90));
    QPainterPath folder;
    folder.moveTo(3, 9);
    folder.lineTo(12, 9);
    folder.lineTo(14, 12);
    folder.lineTo(28, 12);
    folder.lineTo(28, 26);
    folder.lineTo(3, 26);
    folder.closeSubpath();
    p.drawPath(folder);
    p.setBrush(QColor(250, 220, 120));
    p.drawPolygon(QPolygonF({QPointF(6, 15), QPointF(31, 15), QPointF(28, 26), QPointF(3, 26)}));
}

void drawDisk(QPainter& p) {
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(60, 90, 160));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 17, 16, 11));
    p.fillRect(QRectF(18, 6, 3, 5), ink);
}

// An encoder board: a chip with pins.
void drawBoard(QPainter& p) {
    p.setPen(QPen(ink, 1.2));
    p.setBrush(QColor(30, 120, 60));
    p.drawRect(QRectF(3, 14, 26, 15));
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(9, 17, 14, 9));
    p.setPen(QPen(QColor(200, 200, 200), 1.2));
    for (int x = 11; x <= 21; x += 3) {
        p.drawLine(QPointF(x, 15), QPointF(x, 17));
        p.drawLine(QPointF(x, 26), QPointF(x, 28));
    }
}

void drawArrow(QPainter& p, bool downwards, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const qreal tip = downwards ? 13 : 1;
    const qreal base = downwards ? 6 : 8;
    const qreal tail = downwards ? 1 : 13;
    p.drawRect(QRectF(13, std::min(tail, base), 6, std::abs(base - tail)));
    p.drawPolygon(QPolygonF({QPointF(8, base), QPointF(24, base), QPointF(16, tip)}));
}

void drawReadFromDevice(QPainter& p) {
    drawBoard(p);
    drawArrow(p, false, QColor(40, 110, 220));
}

void drawWriteToDevice(QPainter& p) {
    drawBoard(p);
    drawArrow(p, true, QColor(210, 60, 40));
}

// A five-pin DIN socket.
void drawMidiSocket(QPainter& p) {
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(70, 70, 70));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QRectF(7, 7, 18, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 200, 120));
    const QPointF pins[] = {{10.5, 17}, {21.5, 17}, {12, 12.5}, {20, 12.5}, {16, 10.5}};
    for (const QPointF& pin : pins)
        p.drawEllipse(pin, 1.6, 1.6);
    p.setBrush(QColor(70, 70, 70));
    p.drawRect(QRectF(14, 23, 4, 3));
}

// The program's own icon, the one installed for the desktop: a keyboard under four pistons.
void drawProgram(QPainter& p) {
    p.scale(0.5, 0.5); // drawn on the installed icon's 64 x 64 grid
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3b, 0x2a, 0x1a));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.setBrush(QColor(0xf4, 0xef, 0xe4));
    p.drawRoundedRect(QRectF(7, 26, 50, 30), 2, 2);
    p.setBrush(QColor(0x1c, 0x1c, 0x1c));
    for (const int x : {12, 19, 33, 40, 47})
        p.drawRect(QRectF(x, 26, 4, 17));
    p.setPen(QPen(QColor(0x3b, 0x2a, 0x1a), 0.8));
    p.drawLine(QPointF(28, 26), QPointF(28, 56));
    for (const int x : {14, 21, 35, 42, 49})
        p.drawLine(QPointF(x, 43), QPointF(x, 56));
    p.setPen(QPen(QColor(0xf4, 0xef, 0xe4), 1));
    p.setBrush(QColor(0xff, 0x80, 0x80));
    for (const int x : {14, 25, 39, 50})
        p.drawEllipse(QPointF(x, 15), 4, 4);
}

} // namespace

QIcon toolbarIcon(const QString& key) {
    static const std::map<QString, std::function<void(QPainter&)>> painters = {
        {QStringLiteral("load"), drawFolder},          {QStringLiteral("save"), drawDisk},
        {QStringLiteral("loado"), drawReadFromDevice}, {QStringLiteral("write"), drawWriteToDevice},
        {QStringLiteral("midi"), drawMidiSocket},      {QStringLiteral("program"), drawProgram},
    };
    const auto found = painters.find(key);
    if (found == painters.end())
        return {};
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / double(grid), size / double(grid));
        found->second(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon programIcon() {
    return toolbarIcon(QStringLiteral("program"));
}

} // namespace zkt
