#include "logic/menu_point.h"

namespace tellurane {

bool ContextMenuFromKeyboard(ScreenPoint said, ScreenPoint pointer) {
    constexpr ScreenPoint kFromKeyboard{-1, -1};
    return said == kFromKeyboard && pointer != kFromKeyboard;
}

ScreenPoint ContextMenuPoint(ScreenPoint said, ScreenPoint pointer, const PixelRect& face) {
    if (!ContextMenuFromKeyboard(said, pointer)) return said;
    return {face.left + (face.right - face.left) / 2, face.top + (face.bottom - face.top) / 2};
}

}  // namespace tellurane
