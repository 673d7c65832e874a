#include "win32/message_loop.h"

#include <algorithm>
#include <chrono>

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

}  // namespace

bool HandlePendingMessages() noexcept {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        Deliver(message);
    }
    return true;
}

void WaitForMessage(DWORD timeoutMilliseconds) noexcept {
    MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMilliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

int RunMessageLoop() noexcept {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 1;
        Deliver(message);
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
