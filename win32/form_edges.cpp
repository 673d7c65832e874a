#include "win32/form.h"

#include <windowsx.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "logic/twips.h"
#include "win32/boundary.h"
#include "win32/dpi.h"
#include "win32/system_library.h"

namespace tellurane {
namespace {

// Edges this near at 96 DPI pull a dragged window onto them.
constexpr int kSnapDistance = 10;

std::optional<PixelRect> WorkAreaFor(const RECT& rect) noexcept {
    MONITORINFO monitor{sizeof monitor};
    if (!GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor)) return std::nullopt;
    return ToPixelRect(monitor.rcWork);
}

RECT ToRect(const PixelRect& rect) noexcept { return {rect.left, rect.top, rect.right, rect.bottom}; }

// What DWM draws of the window (DWMWA_EXTENDED_FRAME_BOUNDS, in physical pixels) against its rectangle.
// Nothing where DWM has no answer: composition off, a window not shown, a system without DWM.
FrameInset DwmFrameInset(HWND window) {
    using Fn = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
    static const Fn attribute = SystemFunction<Fn>(L"dwmapi.dll", "DwmGetWindowAttribute");
    constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
    RECT rect{}, visible{};
    if (!attribute || !GetWindowRect(window, &rect) ||
        FAILED(attribute(window, kExtendedFrameBounds, &visible, sizeof visible)) || visible.right <= visible.left) {
        return {};
    }
    const FrameInset inset{visible.left - rect.left, visible.top - rect.top, rect.right - visible.right,
                           rect.bottom - visible.bottom};
    // Only a border hidden inside the rectangle counts: anything else is no frame we know.
    const bool sane = inset.left >= 0 && inset.top >= 0 && inset.right >= 0 && inset.bottom >= 0 && inset.left < 64 &&
                      inset.top < 64 && inset.right < 64 && inset.bottom < 64;
    return sane ? inset : FrameInset{};
}

FrameInsetReader frameInset = &DwmFrameInset;

PixelRect VisibleRectOf(HWND window) noexcept {
    RECT rect{};
    GetWindowRect(window, &rect);
    return VisibleOf(ToPixelRect(rect), frameInset(window));
}

struct FormSearch {
    std::vector<std::wstring> classNames;
    HWND except;
    std::vector<RECT> found;
};

BOOL CALLBACK AddForm(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<FormSearch*>(context);
    wchar_t name[256] = {};
    RECT rect{};
    if (window == search->except || !IsWindowVisible(window) || IsIconic(window) || !GetClassNameW(window, name, 256) ||
        !GetWindowRect(window, &rect)) {
        return TRUE;
    }
    for (const std::wstring& className : search->classNames) {
        if (className == name) {
            return CarryOn("AddForm", [&] { search->found.push_back(ToRect(VisibleRectOf(window))); }) ? TRUE : FALSE;
        }
    }
    return TRUE;
}

}  // namespace

FrameInsetReader SetFrameInsetReader(FrameInsetReader reader) noexcept {
    return std::exchange(frameInset, reader ? reader : &DwmFrameInset);
}

std::vector<RECT> VisibleFormRects(std::initializer_list<const WindowLayout*> layouts, HWND except) {
    FormSearch search{{}, except, {}};
    // Named as Form::Create registers them.
    for (const WindowLayout* layout : layouts) search.classNames.emplace_back(layout->name);
    EnumThreadWindows(GetCurrentThreadId(), &AddForm, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<LRESULT> Form::HandleEdgeMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_ENTERSIZEMOVE:
            OnEnterSizeMove();
            break;
        case WM_MOVING:
            OnMoving(*reinterpret_cast<RECT*>(lParam));
            return TRUE;
        case WM_EXITSIZEMOVE:
            OnExitSizeMove();
            break;
        case WM_WINDOWPOSCHANGED:
            OnPositionChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
            break;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETWORKAREA) OnWorkAreaChanged(insideWorkArea_);
            break;
        case WM_DISPLAYCHANGE:
            OnWorkAreaChanged(insideWorkArea_);
            break;
        case WM_SYSCOMMAND:
            // Alt let go alone after a drag it was held through: not a request for the window menu.
            if ((wParam & 0xFFF0) == SC_KEYMENU && std::exchange(altDragged_, false) && lParam == 0) return 0;
            break;
        default:
            break;
    }
    return std::nullopt;
}

void Form::SnapToEdges(std::function<std::vector<RECT>()> otherWindows) { snapTargets_ = std::move(otherWindows); }

void Form::OnEnterSizeMove() noexcept {
    inSizeMove_ = true;
    grab_.reset();
    altDragged_ = false;
}

void Form::OnMoving(RECT& proposed) noexcept {
    if (!snapTargets_ || !inSizeMove_) return;
    CarryOn("Form::OnMoving", [&] {
        // Where the pointer puts the window, not the rectangle proposed: a system may offset each proposal
        // from the rectangle last given back (Wine's does), which would keep a window on an edge it snapped
        // to. The pointer is the one of the mouse message the move is at (GetCursorPos can lag behind it
        // under Wine); where it holds the window comes from the first proposal, still the system's own.
        const DWORD position = GetMessagePos();
        const POINT pointer{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
        if (!grab_) grab_ = POINT{pointer.x - proposed.left, pointer.y - proposed.top};
        const long left = pointer.x - grab_->x, top = pointer.y - grab_->y;
        PixelRect place{left, top, left + proposed.right - proposed.left, top + proposed.bottom - proposed.top};
        if (GetKeyState(VK_MENU) >= 0) {  // Alt held turns snapping off
            if (const std::optional<PixelRect> work = WorkAreaFor(ToRect(place))) {
                std::vector<PixelRect> others;
                for (const RECT& rect : snapTargets_()) others.push_back(ToPixelRect(rect));
                const FrameInset inset = frameInset(Handle());
                place = WindowOf(
                    SnapMove(VisibleOf(place, inset), *work, others, MulDiv(kSnapDistance, dpi_, kDefaultDpi)), inset);
            }
        }
        proposed = ToRect(place);
    });
}

void Form::OnExitSizeMove() noexcept {
    inSizeMove_ = false;
    altDragged_ = snapTargets_ && GetKeyState(VK_MENU) < 0;
    insideWorkArea_ = InsideWorkArea();
}

// Only where the user or the program places the window: a change of the work area leaves what the
// window was placed as, so that one placed partly over the taskbar stays where it is.
void Form::OnPositionChanged(const WINDOWPOS& position) noexcept {
    if ((position.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) insideWorkArea_ = InsideWorkArea();
}

bool Form::InsideWorkArea() const noexcept {
    if (IsIconic(Handle())) return insideWorkArea_;
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    const std::optional<PixelRect> work = WorkAreaFor(rect);
    return work && WhollyInside(VisibleRectOf(Handle()), *work);
}

void Form::OnWorkAreaChanged(bool wasInside) noexcept {
    if (!wasInside || inSizeMove_ || IsIconic(Handle())) return;
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    const std::optional<PixelRect> work = WorkAreaFor(rect);
    if (!work) return;
    const FrameInset inset = frameInset(Handle());
    const PixelRect kept = WindowOf(KeepInside(VisibleOf(ToPixelRect(rect), inset), *work), inset);
    if (kept.left != rect.left || kept.top != rect.top) {
        SetWindowPos(Handle(), nullptr, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace tellurane
