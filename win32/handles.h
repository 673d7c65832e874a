#pragma once
// Every handle has exactly one owner: these close what they hold when they go.

#include <windows.h>

#include <utility>

namespace tellurane {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }

    Handle release() noexcept { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{}) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Handle{}) Traits::Close(old);
    }
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_{};
};

struct GdiObjectTraits {
    static void Close(HGDIOBJ object) noexcept { DeleteObject(object); }
};
struct MemoryDcTraits {
    static void Close(HDC dc) noexcept { DeleteDC(dc); }
};
struct IconTraits {
    static void Close(HICON icon) noexcept { DestroyIcon(icon); }
};
struct CursorTraits {
    static void Close(HCURSOR cursor) noexcept { DestroyCursor(cursor); }
};
struct KeyTraits {
    static void Close(HKEY key) noexcept { RegCloseKey(key); }
};
struct KernelHandleTraits {
    static void Close(HANDLE handle) noexcept { CloseHandle(handle); }
};
struct LocalMemoryTraits {
    static void Close(HLOCAL memory) noexcept { LocalFree(memory); }
};
struct WindowTraits {
    static void Close(HWND w) noexcept { DestroyWindow(w); }
};
struct WinEventHookTraits {
    static void Close(HWINEVENTHOOK hook) noexcept { UnhookWinEvent(hook); }
};
// FindFirstChangeNotificationW fails with INVALID_HANDLE_VALUE, not nullptr: only a handle it gave goes in.
struct ChangeNotificationTraits {
    static void Close(HANDLE notification) noexcept { FindCloseChangeNotification(notification); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueCursor = UniqueHandle<HCURSOR, CursorTraits>;
using UniqueKey = UniqueHandle<HKEY, KeyTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits>;
using UniqueLocalMemory = UniqueHandle<HLOCAL, LocalMemoryTraits>;
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, WinEventHookTraits>;
using UniqueChangeNotification = UniqueHandle<HANDLE, ChangeNotificationTraits>;

// A window's DC (the screen's for nullptr), got with GetDC and released to that window when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A window's paint, from BeginPaint to EndPaint: within WM_PAINT only.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() {
        if (dc_) EndPaint(window_, &paint_);
    }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A DC's state (clip region, colours, modes, selected objects) saved for a scope and put back when it
// ends, whatever was changed meanwhile.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;
    ~SavedDcState() {
        if (saved_ != 0) RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};

// An object selected into a DC for a scope: the DC's previous object goes back in when it ends, so
// the object can be deleted and the DC is as its owner left it.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace tellurane
