#pragma once
// What each surface paints with. Under high contrast every surface takes the system's own pairs;
// otherwise a text whose colour or background comes from the system is kept readable on it, so a
// dark scheme never leaves white text on a white button.

#include <windows.h>

#include "logic/color_value.h"

namespace tellurane {

bool HighContrastOn() noexcept;
// Tests decide the switch, which Wine cannot turn on; nullptr puts the system's answer back.
using HighContrastQuery = bool (*)();
HighContrastQuery SetHighContrastQuery(HighContrastQuery query) noexcept;

struct SurfacePaint {
    COLORREF back;
    COLORREF text;
};

// A control's surface: its background and text colour as the program asks for them.
SurfacePaint PaintFor(ColorValue back, ColorValue text) noexcept;
// A window's own background, around its controls.
COLORREF WindowBackground(ColorValue back) noexcept;
// The focus mark under high contrast; otherwise the system's dotted rectangle is drawn.
COLORREF FocusColor() noexcept;

}  // namespace tellurane
