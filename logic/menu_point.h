#pragma once
// Where a clock's menu opens. Windows says (-1, -1) for a menu asked for from the keyboard (the Menu
// key, Shift+F10), and the same for a real right click at that very screen point (on a monitor to the
// left of and above the main one); the pointer tells the two apart: a click's is there.

#include "logic/placement.h"

namespace tellurane {

struct ScreenPoint {
    long x = 0, y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// said: the point the message gives; pointer: where the pointer was when it was sent; face: the
// face's rectangle, under whose middle a menu asked for from the keyboard opens.
ScreenPoint ContextMenuPoint(ScreenPoint said, ScreenPoint pointer, const PixelRect& face);

// Whether the menu was asked for from the keyboard.
bool ContextMenuFromKeyboard(ScreenPoint said, ScreenPoint pointer);

}  // namespace tellurane
