#pragma once
// One window class is one C++ class: the thunk finds the object from the window's user data
// and hands each message to it. No C++ exception leaves a window procedure.

#include <windows.h>

namespace tellurane {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const noexcept { return hwnd_; }

    static Window* FromHandle(HWND hwnd) noexcept;

protected:
    // Registers the class once per process; every class uses the same thunk.
    static void RegisterWindowClass(const wchar_t* className, HICON icon, UINT style = CS_DBLCLKS) noexcept;

    bool CreateNativeWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                            const RECT& rect, HWND parent) noexcept;

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND hwnd_ = nullptr;
};

// In or out of the topmost band, keeping the window's place and size.
void SetTopMost(HWND window) noexcept;
void ClearTopMost(HWND window) noexcept;

}  // namespace tellurane
