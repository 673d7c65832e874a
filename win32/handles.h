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
struct WindowTraits {
    static void Close(HWND w) noexcept { DestroyWindow(w); }
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

}  // namespace tellurane
