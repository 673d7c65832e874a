#pragma once
// The one message loop, and the nested message handling of the waits.
// Tab and Enter work in our windows as in dialogs: the dialog manager sees their messages first.

#include <windows.h>

#include <functional>

namespace tellurane {

// Handles every message that is waiting now, or, with stillWaiting, until it answers false after one.
// Returns false when the program has been asked to quit; the quit message is then posted again for the
// outermost loop.
bool HandlePendingMessages(const std::function<bool()>& stillWaiting = {}) noexcept;

// Sleeps until a message arrives, a watched object is signalled (its callback then runs) or the
// time is up.
void WaitForMessage(DWORD timeoutMilliseconds) noexcept;

// Runs the callback whenever the kernel object (an event, a change notification) is signalled, from
// the message loop and the waits: one wait for messages and objects together, no thread and no timer.
// A system's modal loop (a message box, a window drag) does not see it: the callback then runs when
// that loop ends. At most MAXIMUM_WAIT_OBJECTS - 1 objects; false when that many are watched already.
bool WatchObject(HANDLE object, std::function<void()> onSignalled);
void StopWatching(HANDLE object) noexcept;

// Runs until the quit message; returns its exit code.
int RunMessageLoop() noexcept;

// Returns after the given seconds (at most a day), handling window messages as they arrive so that the
// windows and timers stay alive; it sleeps between messages instead of spinning a core. With
// stillWaiting, it also returns as soon as that answers false after the messages it has handled.
void WaitSeconds(double seconds, const std::function<bool()>& stillWaiting = {}) noexcept;

}  // namespace tellurane
