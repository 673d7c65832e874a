#pragma once
// A window of the program's own that waits for its answer: the program's other windows are disabled
// while it is open, as a dialog box's owner is, and messages go on being handled meanwhile.

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

    // Every visible, enabled window of this thread but one.
    void DisableAllBut(HWND except);
    // Before the modal window goes, so that the window under it is the one activated again.
    void EnableAgain() noexcept;

private:
    std::vector<HWND> disabled_;
};

// Handles messages until the window is destroyed or the program is asked to quit.
void WaitUntilDestroyed(const Window& window) noexcept;

}  // namespace tellurane
