#pragma once
// Where a control of a layout should be in its window's client area at a DPI, in pixels: what the
// window tests hold a created form to.

#include <windows.h>

#include "logic/twips.h"
#include "logic/window_layout.h"

namespace tellurane::support {

inline RECT LaidOutRect(const WindowLayout& window, const ControlLayout& control, int dpi) {
    const TwipsPoint at = ClientPosition(window, control);
    return {TwipsToPixels(at.x, dpi), TwipsToPixels(at.y, dpi),
            TwipsToPixels(at.x, dpi) + TwipsToPixels(control.width, dpi),
            TwipsToPixels(at.y, dpi) + TwipsToPixels(control.height, dpi)};
}

}  // namespace tellurane::support
