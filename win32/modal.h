#pragma once
// A window of the program's own that waits for its answer: the program's other windows are disabled
// while it is open, as a dialog box's owner is, and messages go on being handled meanwhile. A window that
// asks for an answer of its own meanwhile (a ringing alarm's Dismiss and Snooze) stays usable.

#include <windows.h>

#include <vector>

#include "win32/window.h"

namespace tellurane {

class DisabledWindows {
public:
    DisabledWindows() = default;
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    ~DisabledWindows() { EnableAgain(); }

    // Every visible, enabled window of this thread but one, and but those kept answerable.
    void DisableAllBut(HWND except);
    // Before the modal window goes, so that the window under it is the one activated again.
    void EnableAgain() noexcept;

    // The window answers its click and keys even while a modal window is open (enabled at once if one
    // is), until it is no longer asked to: then it is disabled again while one is still open, and
    // enabled when the last of them closes.
    static void KeepAnswerable(HWND window, bool answerable) noexcept;
    // Whether a modal window of this thread is open now: a window kept answerable does only what it
    // was kept so for.
    static bool AnyOpen() noexcept;

private:
    std::vector<HWND> disabled_;
    bool open_ = false;
};

// Handles messages until the window is destroyed or the program is asked to quit.
void WaitUntilDestroyed(const Window& window) noexcept;

}  // namespace tellurane
