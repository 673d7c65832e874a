#pragma once
// Where the clock window goes on a desktop of monitors that may each have their own scaling.
// Stored geometry is in whole twips: the position at the system DPI (so it names one screen point
// whatever monitor the window is on), the size at the DPI of the monitor the window is on (so the
// window keeps its physical size there). No <windows.h>: the arithmetic is tested on monitor sets.

#include <cstddef>
#include <span>

namespace tellurane {

// Screen pixels (physical, as a per-monitor-aware program sees them); right and bottom exclusive.
struct PixelRect {
    long left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

struct MonitorArea {
    PixelRect bounds;  // the whole monitor
    PixelRect work;    // without the taskbar and docked bars
    int dpi = 96;
};

// The four stored numbers, in twips.
struct StoredPlace {
    double left = 0, top = 0, width = 0, height = 0;
};

// The monitor that Windows gives a window with this rectangle: the one it overlaps most, else the
// nearest (ties to the lower index). monitors must not be empty.
std::size_t MonitorForRect(const PixelRect& rect, std::span<const MonitorArea> monitors);

// What to store for a window at this (normal-state) rectangle: whole twips.
StoredPlace PlaceToStore(const PixelRect& window, std::span<const MonitorArea> monitors, int systemDpi);

struct Placement {
    PixelRect rect;
    std::size_t monitor = 0;  // the monitor whose DPI sized it
};

// Where a stored place puts the window; on an unchanged desktop, back at the same pixels. The size is
// read at the DPI of a monitor that the resulting window would be on, trying first the monitor under
// the top-left corner: a window straddling two scalings can store the same numbers as a smaller or
// larger one would on the neighbour, and then the corner decides. A window that would touch no
// monitor at all (one removed since, say) goes wholly onto the nearest monitor's work area when
// bringOnScreen is set; one that is partly visible stays as stored. Any stored numbers, NaN and huge
// ones included, give a rect within about a million pixels. monitors must not be empty.
Placement PlaceFromStore(const StoredPlace& place, std::span<const MonitorArea> monitors, int systemDpi,
                         bool bringOnScreen);

// Where a dragged clock goes: each of its edges within distance pixels of an edge it may line up with
// moves onto that edge, the nearest one on each axis winning (on a tie, the first met: the work area's).
// Its edges line up with the same edges of the work area (left with left); with another clock, each
// edge meets the facing edge (its left that one's right) or the same edge (left with left). Another
// clock counts on an axis only where the two overlap on the other axis or come within distance of
// touching there. The size never changes.
PixelRect SnapMove(const PixelRect& moving, const PixelRect& workArea, std::span<const PixelRect> others,
                   long distance);

bool WhollyInside(const PixelRect& rect, const PixelRect& area);

// How far a window's rectangle reaches beyond what the user sees of it on each side: Windows 10 and 11
// keep the resize borders outside the visible frame (about 7 pixels at 96 DPI, scaled). Edges line up,
// and a window counts as inside, by what is seen.
struct FrameInset {
    long left = 0, top = 0, right = 0, bottom = 0;
};
PixelRect VisibleOf(const PixelRect& window, const FrameInset& inset);
PixelRect WindowOf(const PixelRect& visible, const FrameInset& inset);

// The rect moved the least distance that puts it wholly inside the area; one larger than the area
// gets its top-left corner (and the width or height that fits) inside. The size never changes.
PixelRect KeepInside(const PixelRect& rect, const PixelRect& area);

}  // namespace tellurane
