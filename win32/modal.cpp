#include "win32/modal.h"

#include "win32/message_loop.h"

namespace tellurane {
namespace {

struct ThreadWindows {
    HWND except;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM context) {
    auto* windows = reinterpret_cast<ThreadWindows*>(context);
    if (window != windows->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        windows->disabled->push_back(window);
    }
    return TRUE;
}

}  // namespace

void DisabledWindows::DisableAllBut(HWND except) {
    ThreadWindows windows{except, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), &DisableWindow, reinterpret_cast<LPARAM>(&windows));
}

void DisabledWindows::EnableAgain() noexcept {
    for (HWND window : disabled_) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    disabled_.clear();
}

void WaitUntilDestroyed(const Window& window) noexcept {
    while (window.Handle()) {
        // Not a message more once the window is gone: a click that follows at once (a menu, and a choice in
        // it) belongs to the caller's loop, after the caller has seen its window end.
        if (!HandlePendingMessages([&] { return window.Handle() != nullptr; })) break;  // the program is ending
        if (window.Handle()) WaitForMessage(INFINITE);
    }
}

}  // namespace tellurane
