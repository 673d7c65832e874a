#include "win32/window.h"

namespace tellurane {

Window::~Window() {
    if (hwnd_) {
        HWND hwnd = hwnd_;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);  // no message may reach a half-destroyed object
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

Window* Window::FromHandle(HWND hwnd) noexcept {
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::RegisterWindowClass(const wchar_t* className, HICON icon, UINT style) noexcept {
    WNDCLASSEXW existing{sizeof existing};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing)) return;
    WNDCLASSEXW windowClass{sizeof windowClass};
    windowClass.style = style;
    windowClass.lpfnWndProc = &Window::Thunk;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

bool Window::CreateNativeWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                                const RECT& rect, HWND parent) noexcept {
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
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = FromHandle(hwnd);
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

void SetTopMost(HWND window) noexcept {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void ClearTopMost(HWND window) noexcept {
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

}  // namespace tellurane
