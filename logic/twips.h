#pragma once
// Window geometry is kept in twips (1440 to the inch) and turned into pixels at the
// window's own DPI, so the program has the same physical size at every scaling.

#include <cmath>

namespace tellurane {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96;

inline int TwipsToPixels(double twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch)); }

inline double PixelsToTwips(int pixels, int dpi) {
    return static_cast<double>(pixels) * kTwipsPerInch / (dpi > 0 ? dpi : kDefaultDpi);
}

// Font heights in pixels for a size in points (72 to the inch); negative asks for the character height.
inline int PointsToFontHeight(double points, int dpi) { return -static_cast<int>(std::lround(points * dpi / 72.0)); }

}  // namespace tellurane
