#pragma once
// Menus and their owner. A popup menu is destroyed by its owner until it is put into another menu:
// from then on the menu it is in destroys it with itself.

#include <windows.h>

#include "win32/handles.h"

namespace tellurane {

struct MenuTraits {
    static void Close(HMENU menu) noexcept { DestroyMenu(menu); }
};
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;

// Appends sub to parent as a submenu with the given text. Ownership passes to parent only when the
// item is added; otherwise sub is destroyed here. False when it was not added.
bool AppendSubmenu(HMENU parent, UniqueMenu sub, const wchar_t* text) noexcept;

}  // namespace tellurane
