#include "win32/surface_colors.h"

#include <utility>

#include "logic/contrast.h"
#include "win32/gdi.h"

namespace tellurane {
namespace {

bool SystemHighContrast() {
    HIGHCONTRASTW state{sizeof state};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0) && (state.dwFlags & HCF_HIGHCONTRASTON);
}

HighContrastQuery g_query = &SystemHighContrast;

}  // namespace

bool HighContrastOn() noexcept { return g_query(); }

HighContrastQuery SetHighContrastQuery(HighContrastQuery query) noexcept {
    return std::exchange(g_query, query ? query : &SystemHighContrast);
}

SurfacePaint PaintFor(ColorValue back, ColorValue text) noexcept {
    if (HighContrastOn()) return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
    const COLORREF backRgb = ToColorRef(back);
    const COLORREF textRgb = ToColorRef(text);
    // Two colours of the user's own choosing stay as chosen.
    if (!IsSystemColor(back) && !IsSystemColor(text)) return {backRgb, textRgb};
    return {backRgb, static_cast<COLORREF>(ReadableOn(backRgb, textRgb))};
}

COLORREF WindowBackground(ColorValue back) noexcept {
    return HighContrastOn() ? GetSysColor(COLOR_BTNFACE) : ToColorRef(back);
}

COLORREF FocusColor() noexcept { return GetSysColor(COLOR_HIGHLIGHT); }

}  // namespace tellurane
