#include "win32/form.h"

#include "logic/app_error.h"

namespace tellurane {

void Form::SetPointer(MousePointer pointer) noexcept { pointer_ = pointer; }

void Form::SetMouseIcon(UniqueCursor cursor) noexcept { mouseIcon_ = std::move(cursor); }

bool Form::OnSetCursor(HWND over, WORD hitTest) noexcept {
    if (hitTest != HTCLIENT) return false;
    const ControlRecord* record = Find(over);
    const bool ownSurface = over == Handle() || (record && record->button);
    if (!ownSurface) return false;
    switch (pointer_) {
        case MousePointer::Hourglass:
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return true;
        case MousePointer::Custom:
            SetCursor(mouseIcon_ ? mouseIcon_.get() : LoadCursorW(nullptr, IDC_ARROW));
            return true;
        case MousePointer::Default:
            break;
    }
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    return true;
}

UniqueCursor LoadCursorFile(const std::wstring& path) {
    UniqueCursor cursor(static_cast<HCURSOR>(LoadImageW(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE)));
    if (!cursor) throw AppError(L"The file " + path + L" holds no cursor that Windows can load.");
    return cursor;
}

}  // namespace tellurane
