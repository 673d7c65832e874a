#pragma once
#include <windows.h>

#include "logic/color_value.h"

namespace tellurane {

// The colour to paint with: a system colour is looked up now, so it follows theme changes.
inline COLORREF ToColorRef(ColorValue value) noexcept {
    if (IsSystemColor(value)) return GetSysColor(SystemColorIndex(value));
    return static_cast<COLORREF>(RgbOf(value));
}

}  // namespace tellurane
