#include "app/shell/window_placement.h"

#include "widgets/twips.h"

#include <QScreen>
#include <QWidget>

namespace zkt {

FormGeometry formGeometryOf(const QWidget& window) {
    FormGeometry geometry;
    // A maximised or minimised window still remembers where it sits when restored. The
    // position is the outer frame's, so that a stored placement keeps the title bar on screen.
    const QRect normal = window.isMaximized() || window.isMinimized() ? window.normalGeometry()
                                                                      : QRect(window.pos(), window.size());
    geometry.left = pixelsToTwips(&window, normal.x());
    geometry.top = pixelsToTwips(&window, normal.y());
    geometry.width = pixelsToTwips(&window, normal.width());
    geometry.height = pixelsToTwips(&window, normal.height());
    geometry.minimised = window.isMinimized();
    geometry.maximised = window.isMaximized();
    if (const QScreen* screen = window.screen()) {
        geometry.screen.widthTwips = pixelsToTwips(&window, screen->availableGeometry().right() + 1);
        geometry.screen.heightTwips = pixelsToTwips(&window, screen->availableGeometry().bottom() + 1);
        geometry.screen.twipsPerPixelX = twipsPerPixel(&window);
        geometry.screen.twipsPerPixelY = twipsPerPixel(&window);
    }
    return geometry;
}

void applyFormGeometry(QWidget& window, const FormGeometry& geometry) {
    window.resize(twipsToPixels(&window, geometry.width), twipsToPixels(&window, geometry.height));
    window.move(twipsToPixels(&window, geometry.left), twipsToPixels(&window, geometry.top));
    if (geometry.maximised)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    const QRect free = screen->availableGeometry();
    QRect placed(QPoint(0, 0), window.size().boundedTo(free.size()));
    placed.moveCenter(free.center());
    window.resize(placed.size());
    window.move(placed.topLeft());
}

} // namespace zkt
