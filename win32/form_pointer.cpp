#include "win32/form.h"

#include <map>
#include <utility>

#include "logic/app_error.h"
#include "logic/texts.h"

namespace tellurane {

void Form::SetPointer(MousePointer pointer) noexcept { pointer_ = pointer; }

void Form::SetMouseIcon(HCURSOR cursor) noexcept { mouseIcon_ = cursor; }

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
            SetCursor(mouseIcon_ ? mouseIcon_ : LoadCursorW(nullptr, IDC_ARROW));
            return true;
        case MousePointer::Default:
            break;
    }
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    return true;
}

namespace {

HCURSOR LoadCursorFromFile(const wchar_t* path) noexcept {
    return static_cast<HCURSOR>(LoadImageW(nullptr, path, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
}

CursorFileLoader g_loadCursorFile = &LoadCursorFromFile;

}  // namespace

CursorFileLoader SetCursorFileLoader(CursorFileLoader loader) noexcept {
    return std::exchange(g_loadCursorFile, loader ? loader : &LoadCursorFromFile);
}

HCURSOR LoadCursorFile(const std::wstring& path) {
    // A cursor may not be destroyed while it is on the screen (DestroyCursor), and the pointer can rest
    // on a window as it closes: each file's cursor is loaded once and kept for the process's life.
    static std::map<std::wstring, UniqueCursor> cursors;
    UniqueCursor& cursor = cursors[path];
    if (!cursor) cursor.reset(g_loadCursorFile(path.c_str()));
    if (!cursor) throw AppError(Tr(IDS_CURSOR_NOT_LOADED, {path}));
    return cursor.get();
}

}  // namespace tellurane
