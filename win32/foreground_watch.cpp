#include "win32/foreground_watch.h"

#include "win32/boundary.h"

namespace tellurane {
namespace {

thread_local ForegroundWatch* watching = nullptr;

}  // namespace

ForegroundWatch::ForegroundWatch(std::function<void()> onChange) : onChange_(std::move(onChange)) {
    if (watching) return;  // one per thread: the hooks' callback has no context of its own
    foregroundHook_.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnEvent, 0, 0,
                                          WINEVENT_OUTOFCONTEXT));
    if (!foregroundHook_) return;
    watching = this;
    Follow(GetForegroundWindow());
}

ForegroundWatch::~ForegroundWatch() {
    Unfollow();
    foregroundHook_.reset();
    if (watching == this) watching = nullptr;
}

void ForegroundWatch::Unfollow() noexcept {
    locationHook_.reset();
    goneHook_.reset();
}

void ForegroundWatch::Follow(HWND window) noexcept {
    Unfollow();
    followed_ = window;
    DWORD process = 0;
    const DWORD thread = window ? GetWindowThreadProcessId(window, &process) : 0;
    // Our own windows are never a program in full screen, and their menus, tooltips and caret would
    // wake the program for nothing.
    if (!thread || process == GetCurrentProcessId()) return;
    // Every window's moves, hiding and ending would wake the program at each move of the pointer, each
    // tooltip and menu anywhere: only that thread's. Moved or resized (a player going to full screen),
    // closed or hidden (the foreground moves on, and the clock may come back).
    // (Wine 8 delivers nothing to a hook for one thread of another process: the tick looks too.)
    locationHook_.reset(SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr, &OnEvent,
                                        process, thread, WINEVENT_OUTOFCONTEXT));
    goneHook_.reset(SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_HIDE, nullptr, &OnEvent, process, thread,
                                    WINEVENT_OUTOFCONTEXT));
}

void CALLBACK ForegroundWatch::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    ForegroundWatch* self = watching;
    if (!self) return;
    ++self->eventsHeard_;
    if (object != OBJID_WINDOW || child != CHILDID_SELF) return;
    if (event == EVENT_SYSTEM_FOREGROUND) {
        self->Follow(window);
    } else if (window != self->followed_ || event == EVENT_OBJECT_SHOW) {
        return;  // another window of that thread, or the caret and the pointer
    }
    CarryOn("ForegroundWatch::OnEvent", [&] {
        if (self->onChange_) self->onChange_();
    });
}

}  // namespace tellurane
