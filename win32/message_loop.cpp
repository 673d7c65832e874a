#include "win32/message_loop.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "win32/boundary.h"

namespace tellurane {
namespace {

void Deliver(MSG& message) noexcept {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsDialogMessageW(root, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

struct WatchedObject {
    HANDLE object;
    std::shared_ptr<std::function<void()>> onSignalled;  // kept alive while it runs, even if unwatched
};

std::vector<WatchedObject>& Watched() {
    static std::vector<WatchedObject> watched;
    return watched;
}

}  // namespace

bool WatchObject(HANDLE object, std::function<void()> onSignalled) {
    auto& watched = Watched();
    if (!object || watched.size() >= MAXIMUM_WAIT_OBJECTS - 1) return false;
    StopWatching(object);
    watched.push_back({object, std::make_shared<std::function<void()>>(std::move(onSignalled))});
    return true;
}

void StopWatching(HANDLE object) noexcept {
    auto& watched = Watched();
    watched.erase(std::remove_if(watched.begin(), watched.end(),
                                 [object](const WatchedObject& entry) { return entry.object == object; }),
                  watched.end());
}

bool HandlePendingMessages(const std::function<bool()>& stillWaiting) noexcept {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        Deliver(message);
        if (stillWaiting && !stillWaiting()) break;
    }
    return true;
}

void WaitForMessage(DWORD timeoutMilliseconds) noexcept {
    HANDLE objects[MAXIMUM_WAIT_OBJECTS];
    DWORD count = 0;
    for (const WatchedObject& entry : Watched()) objects[count++] = entry.object;
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, objects, timeoutMilliseconds, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
    if (woke >= WAIT_OBJECT_0 + count) return;  // a message, the time, or a failure
    const HANDLE signalled = objects[woke - WAIT_OBJECT_0];
    for (const WatchedObject& entry : Watched()) {
        if (entry.object != signalled) continue;
        const auto callback = entry.onSignalled;
        CarryOn("WaitForMessage", [&] { (*callback)(); });
        return;
    }
}

int RunMessageLoop() noexcept {
    MSG message;
    for (;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            Deliver(message);
        }
        WaitForMessage(INFINITE);
    }
}

void WaitSeconds(double seconds, const std::function<bool()>& stillWaiting) noexcept {
    using Clock = std::chrono::steady_clock;
    if (!(seconds > 0)) {
        HandlePendingMessages();
        return;
    }
    // A steady clock: a change of the wall clock or midnight neither ends the wait early nor makes it last a day.
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(std::min(seconds, 86400.0)));
    for (;;) {
        if (!HandlePendingMessages()) return;
        if (stillWaiting && !stillWaiting()) return;
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) return;
        const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        WaitForMessage(static_cast<DWORD>(milliseconds));
    }
}

}  // namespace tellurane
