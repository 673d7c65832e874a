#include "app/clock/stepping_aside.h"

#include <algorithm>

#include "win32/boundary.h"
#include "win32/dpi.h"

namespace tellurane {
namespace {

constexpr UINT kStay = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

bool IsShell(HWND window) {
    if (window == GetShellWindow() || window == GetDesktopWindow()) return true;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"}) {
        if (lstrcmpiW(name, shell) == 0) return true;
    }
    return false;
}

// The foreground window as the rule sees it: its client area on the screen. A window closing or hiding
// may still be named the foreground for a moment: it covers nothing.
ForegroundWindow ForegroundFacts(HWND foreground) {
    ForegroundWindow facts;
    RECT client{};
    if (foreground && IsWindowVisible(foreground) && !IsIconic(foreground) && GetClientRect(foreground, &client)) {
        MapWindowPoints(foreground, nullptr, reinterpret_cast<POINT*>(&client), 2);
        facts = {ToPixelRect(client), IsShell(foreground)};
    }
    return facts;
}

}  // namespace

void SteppingAside::FollowFullScreen() noexcept {
    CarryOn("Clocks::FollowFullScreen", [&] {
        HWND foreground = GetForegroundWindow();
        const ForegroundWindow facts = ForegroundFacts(foreground);
        seenForeground_ = {foreground, facts.client};
        const std::vector<MonitorArea> monitors = DesktopMonitors();
        const std::optional<std::size_t> filled = FilledMonitor(facts, monitors);
        forEach_([&](const AsideClock& clock) {
            StepAside(clock, StepsAside(ToPixelRect(clock.window.NormalRect()), filled, windowsSay_, monitors));
        });
    });
}

// Where Windows raises no foreground event (Wine), the tick's wake looks at the foreground window too:
// a program in full screen is noticed within a second, at no wake-up of its own.
void SteppingAside::LookAtForeground() noexcept {
    if (!foregroundWatch_) return;
    HWND foreground = GetForegroundWindow();
    if (std::pair{foreground, ForegroundFacts(foreground).client} != seenForeground_) FollowFullScreen();
}

// Looked at in the tick's wake: whether a clock wants it, Windows' own word, the foreground window.
void SteppingAside::LookAround() noexcept {
    WatchForegroundWhileWanted();
    FollowWindowsFullScreenState();
    LookAtForeground();
}

void SteppingAside::WatchForegroundWhileWanted() noexcept {
    CarryOn("Clocks::WatchForegroundWhileWanted", [&] {
        bool wanted = false;
        forEach_([&](const AsideClock& clock) {
            wanted = wanted ||
                     (StoredSwitchOr(clock.store, keys::kAlwaysOnTop) && StoredSwitchOr(clock.store, keys::kStepAside));
        });
        if (wanted == (foregroundWatch_ != nullptr)) return;
        if (wanted) {
            foregroundWatch_ = std::make_unique<ForegroundWatch>([this] { FollowFullScreen(); });
        } else {
            foregroundWatch_.reset();
        }
        FollowFullScreen();
    });
}

// Windows' own word (a Direct3D program in full screen, presentation settings) comes without an event:
// it is asked in the tick's wake, and only a change of it looks at the windows.
void SteppingAside::FollowWindowsFullScreenState() noexcept {
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    if (!notificationState_ || FAILED(notificationState_(&state))) return;
    const WindowsSays says = state == QUNS_PRESENTATION_MODE ? WindowsSays::Presentation
                             : state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN
                                 ? WindowsSays::FullScreenSomewhere
                                 : WindowsSays::Nothing;
    if (says == windowsSay_) return;
    windowsSay_ = says;
    FollowFullScreen();
}

void SteppingAside::StepAside(const AsideClock& clock, bool aside) {
    HWND handle = clock.window.Handle();
    const int number = clock.number;
    const SettingsStore& store = clock.store;
    const bool should = aside && StoredSwitchOr(store, keys::kAlwaysOnTop) && StoredSwitchOr(store, keys::kStepAside);
    const auto stepped = std::find(steppedAside_.begin(), steppedAside_.end(), number);
    if (should && stepped == steppedAside_.end()) {
        steppedAside_.push_back(number);
        // Out of the topmost band and behind the other windows, that program's first (a topmost window
        // put at the bottom loses its topmost place), without taking the foreground from it. It comes back
        // to the top when that program goes.
        SetWindowPos(handle, HWND_BOTTOM, 0, 0, 0, 0, kStay);
    } else if (!should && stepped != steppedAside_.end()) {
        steppedAside_.erase(stepped);
        if (StoredSwitchOr(store, keys::kAlwaysOnTop)) SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, kStay);
    }
}

// "Always on top" changed by hand (the menu, the settings): the clock is judged afresh, not by what it
// was when the switch was the other way.
void SteppingAside::OnTopChangedByHand(int number) noexcept {
    std::erase(steppedAside_, number);
    WatchForegroundWhileWanted();
    if (foregroundWatch_) FollowFullScreen();
}

}  // namespace tellurane
