#include "settings/form_geometry.h"

namespace zkt {

namespace {

constexpr long screenMarginPixels = 4;

void fitAxis(long& start, long& length, long screenLength, long margin) {
    if (start < margin) {
        start = margin;
    }
    if (start + length > screenLength - margin) {
        start = screenLength - margin - length;
        if (start < margin) {
            start = margin;
        }
        if (start + length > screenLength - margin) {
            length = screenLength - start - margin;
        }
    }
}

} // namespace

PlacementRect keepOnScreen(PlacementRect rect, const ScreenMetrics& screen) {
    fitAxis(rect.left, rect.width, screen.widthTwips, screenMarginPixels * screen.twipsPerPixelX);
    fitAxis(rect.top, rect.height, screen.heightTwips, screenMarginPixels * screen.twipsPerPixelY);
    return rect;
}

FormGeometry keptOnScreen(FormGeometry geometry) {
    const PlacementRect kept =
        keepOnScreen({geometry.left, geometry.top, geometry.width, geometry.height}, geometry.screen);
    geometry.left = kept.left;
    geometry.top = kept.top;
    geometry.width = kept.width;
    geometry.height = kept.height;
    return geometry;
}

} // namespace zkt
