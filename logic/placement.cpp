#include "logic/placement.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstddef>
#include <limits>
#include <span>

#include "logic/twips.h"

namespace tellurane {
namespace {

// Restored coordinates and sizes stay within this many pixels: far beyond any desktop, small enough
// that left + width fits Windows' 32-bit LONG, and the matching twips are whole numbers in a float.
constexpr double kPixelLimit = 1 << 20;

int SaneDpi(int dpi) { return dpi > 0 ? dpi : kDefaultDpi; }

double ToTwips(double pixels, int dpi) { return std::round(pixels * kTwipsPerInch / SaneDpi(dpi)); }

// Stored numbers are user data, so NaN and infinities arrive here too.
long ToPixels(double twips, int dpi, double lowest) {
    if (std::isnan(twips)) return 0;
    return static_cast<long>(std::clamp(std::round(twips * SaneDpi(dpi) / kTwipsPerInch), lowest, kPixelLimit));
}

// Geometry in double: a caller's rectangle may hold any LONG, and differences of those overflow.
struct Box {
    double left, top, right, bottom;
};

// An inverted rectangle counts as an empty one at its top-left corner.
Box ToBox(const PixelRect& rect) {
    const auto left = static_cast<double>(rect.left), top = static_cast<double>(rect.top);
    const auto right = static_cast<double>(rect.right), bottom = static_cast<double>(rect.bottom);
    return {left, top, std::max(left, right), std::max(top, bottom)};
}

double OverlapArea(const Box& a, const Box& b) {
    const double width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const double height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

double GapSquared(const Box& a, const Box& b) {
    const double dx = std::max({0.0, b.left - a.right, a.left - b.right});
    const double dy = std::max({0.0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

bool OnAnyMonitor(const PixelRect& rect, std::span<const MonitorArea> monitors) {
    const Box box = ToBox(rect);
    return std::any_of(monitors.begin(), monitors.end(),
                       [&](const MonitorArea& monitor) { return OverlapArea(box, ToBox(monitor.bounds)) > 0; });
}

// The smallest move, within the distance, that puts one edge onto another.
class NearestEdge {
public:
    explicit NearestEdge(long distance) : distance_(distance) {}
    void Consider(long edge, long target) {
        const long offset = target - edge;
        if (std::abs(offset) <= distance_ && (!found_ || std::abs(offset) < std::abs(offset_))) {
            offset_ = offset;
            found_ = true;
        }
    }
    long Offset() const { return offset_; }

private:
    long distance_;
    long offset_ = 0;
    bool found_ = false;
};

using Edge = long PixelRect::*;

// The snap along one axis (low and high edges), the cross edges saying which clocks lie beside it.
long SnapOffset(const PixelRect& moving, const PixelRect& work, std::span<const PixelRect> others, long distance,
                Edge low, Edge high, Edge crossLow, Edge crossHigh) {
    NearestEdge nearest(distance);
    nearest.Consider(moving.*low, work.*low);
    nearest.Consider(moving.*high, work.*high);
    for (const PixelRect& other : others) {
        if (moving.*crossLow > other.*crossHigh + distance || other.*crossLow > moving.*crossHigh + distance) continue;
        nearest.Consider(moving.*low, other.*high);
        nearest.Consider(moving.*high, other.*low);
        nearest.Consider(moving.*low, other.*low);
        nearest.Consider(moving.*high, other.*high);
    }
    return nearest.Offset();
}

}  // namespace

std::size_t MonitorForRect(const PixelRect& rect, std::span<const MonitorArea> monitors) {
    const Box box = ToBox(rect);
    std::size_t best = 0;
    double bestArea = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const double area = OverlapArea(box, ToBox(monitors[i].bounds));
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    if (bestArea > 0) return best;
    double bestGap = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const double gap = GapSquared(box, ToBox(monitors[i].bounds));
        if (gap < bestGap) {
            best = i;
            bestGap = gap;
        }
    }
    return best;
}

StoredPlace PlaceToStore(const PixelRect& window, std::span<const MonitorArea> monitors, int systemDpi) {
    const int sizeDpi = monitors.empty() ? systemDpi : monitors[MonitorForRect(window, monitors)].dpi;
    const Box box = ToBox(window);
    return {ToTwips(box.left, systemDpi), ToTwips(box.top, systemDpi), ToTwips(box.right - box.left, sizeDpi),
            ToTwips(box.bottom - box.top, sizeDpi)};
}

Placement PlaceFromStore(const StoredPlace& place, std::span<const MonitorArea> monitors, int systemDpi,
                         bool bringOnScreen) {
    const long left = ToPixels(place.left, systemDpi, -kPixelLimit);
    const long top = ToPixels(place.top, systemDpi, -kPixelLimit);
    const auto sizedFor = [&](int dpi) {
        return PixelRect{left, top, left + ToPixels(place.width, dpi, 0), top + ToPixels(place.height, dpi, 0)};
    };
    if (monitors.empty()) return {sizedFor(systemDpi), 0};

    // The size was stored at the DPI of the monitor the window was on, and which monitor that is
    // depends on the size. Accept a monitor whose DPI gives a window that Windows puts on it; the
    // one under the top-left corner goes first, since a straddling window is read two ways at times.
    const std::size_t corner = MonitorForRect(PixelRect{left, top, left + 1, top + 1}, monitors);
    Placement result{sizedFor(monitors[corner].dpi), corner};
    if (MonitorForRect(result.rect, monitors) != corner) {
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            if (i == corner) continue;
            const PixelRect rect = sizedFor(monitors[i].dpi);
            if (MonitorForRect(rect, monitors) == i) {
                result = {rect, i};
                break;
            }
        }
    }
    // Part of a window on screen is left alone: users park the clock half off the edge on purpose.
    if (!bringOnScreen || OnAnyMonitor(result.rect, monitors)) return result;

    // None of it shows (its monitor is gone, say): the nearest work area gets all of it.
    const std::size_t nearest = MonitorForRect(result.rect, monitors);
    const PixelRect& work = monitors[nearest].work;
    const PixelRect sized = sizedFor(monitors[nearest].dpi);
    const long width = std::min(sized.right - sized.left, std::max(0L, work.right - work.left));
    const long height = std::min(sized.bottom - sized.top, std::max(0L, work.bottom - work.top));
    const long x = std::clamp(left, work.left, std::max(work.left, work.right - width));
    const long y = std::clamp(top, work.top, std::max(work.top, work.bottom - height));
    return {{x, y, x + width, y + height}, nearest};
}

PixelRect SnapMove(const PixelRect& moving, const PixelRect& workArea, std::span<const PixelRect> others,
                   long distance) {
    const long dx = SnapOffset(moving, workArea, others, distance, &PixelRect::left, &PixelRect::right, &PixelRect::top,
                               &PixelRect::bottom);
    const long dy = SnapOffset(moving, workArea, others, distance, &PixelRect::top, &PixelRect::bottom,
                               &PixelRect::left, &PixelRect::right);
    return {moving.left + dx, moving.top + dy, moving.right + dx, moving.bottom + dy};
}

bool WhollyInside(const PixelRect& rect, const PixelRect& area) {
    return rect.left >= area.left && rect.top >= area.top && rect.right <= area.right && rect.bottom <= area.bottom;
}

PixelRect KeepInside(const PixelRect& rect, const PixelRect& area) {
    const long width = rect.right - rect.left, height = rect.bottom - rect.top;
    const long left = std::max(area.left, std::min(rect.left, area.right - width));
    const long top = std::max(area.top, std::min(rect.top, area.bottom - height));
    return {left, top, left + width, top + height};
}

PixelRect VisibleOf(const PixelRect& window, const FrameInset& inset) {
    return {window.left + inset.left, window.top + inset.top, window.right - inset.right, window.bottom - inset.bottom};
}

PixelRect WindowOf(const PixelRect& visible, const FrameInset& inset) {
    return {visible.left - inset.left, visible.top - inset.top, visible.right + inset.right,
            visible.bottom + inset.bottom};
}

}  // namespace tellurane
