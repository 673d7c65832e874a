#pragma once
// Learns from Windows when another window comes to the foreground, or the foreground window moves or
// changes size (a player going to full screen): event hooks, answered in the message loop, no polling.
// One per thread.

#include <windows.h>

#include <functional>

namespace tellurane {

class ForegroundWatch {
public:
    explicit ForegroundWatch(std::function<void()> onChange);
    ~ForegroundWatch();
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;

    bool Active() const noexcept { return foregroundHook_ != nullptr; }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                                 DWORD time);
    // Its moves and its end are asked for from the foreground window's thread only: not every window's.
    void Follow(HWND window) noexcept;

    std::function<void()> onChange_;
    HWINEVENTHOOK foregroundHook_ = nullptr;
    HWINEVENTHOOK locationHook_ = nullptr;
    HWINEVENTHOOK goneHook_ = nullptr;
    HWND followed_ = nullptr;
};

}  // namespace tellurane
