#include "win32/menu.h"

namespace tellurane {

bool AppendSubmenu(HMENU parent, UniqueMenu sub, const wchar_t* text) noexcept {
    if (!sub || !AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(sub.get()), text)) return false;
    sub.release();  // the parent destroys it now
    return true;
}

}  // namespace tellurane
