#pragma once
// Window geometry is designed in twips (1/1440 inch). At 96 dpi a pixel is 15 twips; other
// screens scale with their logical DPI.

#include <QPaintDevice>
#include <cmath>

namespace zkt {

inline constexpr int twipsPerInch = 1440;

inline int twipsToPixels(const QPaintDevice* device, int twips) {
    return static_cast<int>(std::lround(twips * device->logicalDpiY() / double(twipsPerInch)));
}

inline int pixelsToTwips(const QPaintDevice* device, int pixels) {
    return static_cast<int>(std::lround(pixels * double(twipsPerInch) / device->logicalDpiY()));
}

// Twips per pixel of the device, as the stored window placement needs it.
inline int twipsPerPixel(const QPaintDevice* device) {
    return static_cast<int>(std::lround(double(twipsPerInch) / device->logicalDpiY()));
}

} // namespace zkt
