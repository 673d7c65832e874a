#include "win32/modal.h"

#include <algorithm>

#include "win32/message_loop.h"

namespace tellurane {
namespace {

// Marks a window kept answerable, so that every modal window, also one opened later, leaves it enabled.
constexpr wchar_t kAnswerable[] = L"AnswersUnderModalWindow";

// The modal windows' lists that are open now, the first opened first: one thread has the windows.
std::vector<std::vector<HWND>*> g_open;

struct ThreadWindows {
    HWND except;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM context) {
    auto* windows = reinterpret_cast<ThreadWindows*>(context);
    if (window != windows->except && IsWindowVisible(window) && IsWindowEnabled(window) &&
        !GetPropW(window, kAnswerable)) {
        EnableWindow(window, FALSE);
        windows->disabled->push_back(window);
    }
    return TRUE;
}

// The modal window itself: the one visible, enabled window of the thread left.
BOOL CALLBACK FindEnabled(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || GetPropW(window, kAnswerable)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

bool Holds(const std::vector<HWND>& list, HWND window) {
    return std::find(list.begin(), list.end(), window) != list.end();
}

}  // namespace

void DisabledWindows::DisableAllBut(HWND except) {
    ThreadWindows windows{except, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), &DisableWindow, reinterpret_cast<LPARAM>(&windows));
    if (!open_) g_open.push_back(&disabled_);
    open_ = true;
}

void DisabledWindows::EnableAgain() noexcept {
    for (HWND window : disabled_) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    disabled_.clear();
    if (open_) std::erase(g_open, &disabled_);
    open_ = false;
}

void DisabledWindows::KeepAnswerable(HWND window, bool answerable) noexcept {
    if (!window || (GetPropW(window, kAnswerable) != nullptr) == answerable) return;
    if (answerable) {
        SetPropW(window, kAnswerable, reinterpret_cast<HANDLE>(1));
        // Disabled by a modal window opened before: usable now, and enabled again by it all the same.
        if (!IsWindowEnabled(window)) EnableWindow(window, TRUE);
        return;
    }
    RemovePropW(window, kAnswerable);
    if (g_open.empty() || !IsWindowVisible(window)) return;
    const bool wasActive = GetForegroundWindow() == window;
    EnableWindow(window, FALSE);
    // Enabled again by the modal window that had disabled it, else by the first still open.
    if (std::none_of(g_open.begin(), g_open.end(),
                     [&](const std::vector<HWND>* list) { return Holds(*list, window); })) {
        g_open.front()->push_back(window);
    }
    // The keys go back to the modal window, not to a window that cannot take them.
    HWND modal = nullptr;
    if (wasActive) EnumThreadWindows(GetCurrentThreadId(), &FindEnabled, reinterpret_cast<LPARAM>(&modal));
    if (modal) SetForegroundWindow(modal);
}

bool DisabledWindows::AnyOpen() noexcept { return !g_open.empty(); }

void WaitUntilDestroyed(const Window& window) noexcept {
    while (window.Handle()) {
        // Not a message more once the window is gone: a click that follows at once (a menu, and a choice in
        // it) belongs to the caller's loop, after the caller has seen its window end.
        if (!HandlePendingMessages([&] { return window.Handle() != nullptr; })) break;  // the program is ending
        if (window.Handle()) WaitForMessage(INFINITE);
    }
}

}  // namespace tellurane
