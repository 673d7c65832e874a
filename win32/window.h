#pragma once
// One window class is one C++ class: the thunk finds the object from the window's first extra slot
// and hands each message to it. The user-data slot stays free for code that hooks a window (the tray
// hook keeps its control there). No C++ exception leaves a window procedure.

#include <windows.h>

namespace tellurane {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const noexcept { return hwnd_; }

    // The object of a window of our classes (only they have the slot).
    static Window* FromHandle(HWND hwnd) noexcept;

protected:
    // Registers the class the first time it is asked for, with the one thunk; false when Windows
    // refused it, and then no window of it can be made.
    static bool RegisterWindowClass(const wchar_t* className, HICON icon, UINT style = CS_DBLCLKS) noexcept;

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
