#pragma once
// A window's placement as the settings file stores it, free of any window toolkit so that the
// save and restore rules can be exercised without a display. All lengths are twips (1/1440 inch).

namespace zkt {

struct ScreenMetrics {
    long widthTwips = 0;
    long heightTwips = 0;
    // 1440 / logical dots per inch: 15 at 96 dpi.
    long twipsPerPixelX = 15;
    long twipsPerPixelY = 15;
};

// The normal (not maximised) position and size, plus the window's show state and its screen.
struct FormGeometry {
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
    bool minimised = false;
    bool maximised = false;
    ScreenMetrics screen;
};

struct PlacementRect {
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
};

// Moves the rectangle (and if it is still too big, shrinks it) so that it keeps a four-pixel margin
// to every screen edge. The result can come out smaller than a minimum size; callers check that.
PlacementRect keepOnScreen(PlacementRect rect, const ScreenMetrics& screen);
// The same for a whole record, on its own screen.
FormGeometry keptOnScreen(FormGeometry geometry);

} // namespace zkt
