#include "win32/window.h"

#include <set>
#include <string>

#include "win32/boundary.h"

namespace tellurane {
namespace {

constexpr int kObjectSlot = 0;  // the first extra bytes of every window of our classes

}  // namespace

Window::~Window() {
    if (hwnd_) {
        HWND hwnd = hwnd_;
        SetWindowLongPtrW(hwnd, kObjectSlot, 0);  // no message may reach a half-destroyed object
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

Window* Window::FromHandle(HWND hwnd) noexcept {
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, kObjectSlot));
}

bool Window::RegisterWindowClass(const wchar_t* className, HICON icon, UINT style) noexcept {
    return CarryOnOr("Window::RegisterWindowClass", false, [&] {
        static std::set<std::wstring> registered;
        if (registered.contains(className)) return true;
        WNDCLASSEXW windowClass{sizeof windowClass};
        windowClass.style = style;
        windowClass.lpfnWndProc = &Window::Thunk;
        windowClass.cbWndExtra = sizeof(LONG_PTR);
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hIcon = icon;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        if (!RegisterClassExW(&windowClass)) {
            LogFailure("Window::RegisterWindowClass", L"Windows refused the window class.");
            return false;
        }
        registered.insert(className);
        return true;
    });
}

bool Window::CreateNativeWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                                const RECT& rect, HWND parent) noexcept {
    if (hwnd_) return false;
    CreateWindowExW(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, nullptr, GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, kObjectSlot, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = FromHandle(hwnd);
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, kObjectSlot, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

void SetTopMost(HWND window) noexcept { SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE); }

void ClearTopMost(HWND window) noexcept { SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE); }

}  // namespace tellurane
