#pragma once
// Learns from Windows when another window comes to the foreground, or the foreground window moves or
// changes size (a player going to full screen): event hooks, answered in the message loop, no polling.
// One per thread.

#include <windows.h>

#include <functional>

#include "win32/handles.h"

namespace tellurane {

class ForegroundWatch {
public:
    explicit ForegroundWatch(std::function<void()> onChange);
    ~ForegroundWatch();
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;

    bool Active() const noexcept { return static_cast<bool>(foregroundHook_); }
    // How many events have reached the watch: each one woke the program.
    unsigned long EventsHeard() const noexcept { return eventsHeard_; }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                                 DWORD time);
    // Its moves and its end are asked for from the foreground window's thread only: not every window's,
    // and none of this program's own (its clocks, its menus, its caret).
    void Follow(HWND window) noexcept;
    void Unfollow() noexcept;

    std::function<void()> onChange_;
    UniqueWinEventHook foregroundHook_;
    UniqueWinEventHook locationHook_;
    UniqueWinEventHook goneHook_;
    HWND followed_ = nullptr;
    unsigned long eventsHeard_ = 0;
};

}  // namespace tellurane
