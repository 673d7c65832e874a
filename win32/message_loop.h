#pragma once
// The one message loop, and the nested message handling of the waits.
// Tab and Enter work in our windows as in dialogs: the dialog manager sees their messages first.

#include <windows.h>

#include <functional>

namespace tellurane {

// Handles every message that is waiting now. Returns false when the program has been asked
// to quit; the quit message is then posted again for the outermost loop.
bool HandlePendingMessages() noexcept;

// Sleeps until a message arrives or the time is up.
void WaitForMessage(DWORD timeoutMilliseconds) noexcept;

// Runs until the quit message; returns its exit code.
int RunMessageLoop() noexcept;

// Returns after the given seconds (at most a day), handling window messages as they arrive so that the
// windows and timers stay alive; it sleeps between messages instead of spinning a core. With
// stillWaiting, it also returns as soon as that answers false after the messages it has handled.
void WaitSeconds(double seconds, const std::function<bool()>& stillWaiting = {}) noexcept;

}  // namespace tellurane
