#include "app/clock/wake_up.h"

#include <windows.h>
#include <wtsapi32.h>

#include <algorithm>
#include <utility>

#include "logic/clock/tick_schedule.h"
#include "win32/boundary.h"
#include "win32/system_library.h"

namespace tellurane {
namespace {

// As winnt.h defines them (Windows 8's console display state; Windows 7's monitor power).
constexpr GUID kConsoleDisplayState{0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kMonitorPowerOn{0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

}  // namespace

WakeUp::WakeUp(WakeHost& host, const Form& first, const ClockFunction& clock)
    : host_(host), first_(first), clock_(clock) {
    timer_.onTick = [this] { Fired(); };
}

HWND WakeUp::Owner() const noexcept { return first_.Handle(); }

void WakeUp::Start() noexcept {
    timer_.Reschedule(PlanTick(clock_().utcMilliseconds, std::nullopt).delayMilliseconds);
    HearWhenUnseen();
}

void WakeUp::Fired() {
    ++wakes_;
    const WakeState state = StateNow();
    const bool changed = std::exchange(settingsChanged_, false);
    if (changed || PlanWake(clock_().utcMilliseconds, shownSecond_, state).tickNow) {
        host_.TickAll();
        if (state.seen) {
            // A change in the skin's folder is looked at in the same wake: a timer of its own would wake
            // the program (and Wine's server) a second time.
            host_.FollowFirst();
        }
    }
    if (state.seen) {
        host_.LookAround();
    }
    Schedule();
}

WakeState WakeUp::StateNow() {
    return CarryOnOr("Form1::WakeStateNow", WakeState{},
                     [&] { return host_.ClocksState(!locked_ && !disconnected_ && displayOn_); });
}

void WakeUp::Schedule() noexcept {
    if (!timer_.Enabled()) return;  // the window closed while a box of this tick was open
    const WakePlan plan = PlanWake(clock_().utcMilliseconds, shownSecond_, StateNow());
    asleep_ = !plan.delay;
    if (plan.delay) {
        timer_.Reschedule(*plan.delay);
    } else {
        timer_.Pause();
    }
}

void WakeUp::Refresh() noexcept {
    CarryOn("Form1::Refresh", [&] {
        if (!timer_.Enabled()) return;
        host_.TickAll();
        Schedule();  // and aligned to the new second
    });
}

void WakeUp::BringFacesUpToDate() noexcept {
    // Hidden faces are not ticked, yet read as if they were: whoever reads one (a screen reader, a
    // program) gets the time of that moment, at no wake of the clock's own. A clock shown again by
    // other means than the tray icon starts the ticks again here too.
    if (asleep_) Refresh();
}

void WakeUp::SettingsChanged() noexcept {
    // The alarms are read again seen or not: they ring for the ear.
    host_.AlarmsChanged();
    // Unseen, the faces are made when they are seen again. Seen, one wake comes at once for however many
    // changes arrive together (a window storing all its values).
    if (asleep_ || !Owner() || !timer_.Enabled()) return;
    settingsChanged_ = true;
    timer_.Reschedule(1);
}

SessionNotifications SystemSessionNotifications() {
    // Looked up, not imported: wtsapi32 is loaded only by the clock that asks.
    using Register = BOOL(WINAPI*)(HWND, DWORD);
    using Unregister = BOOL(WINAPI*)(HWND);
    SessionNotifications functions;
    if (const auto registerWindow = SystemFunction<Register>(L"wtsapi32.dll", "WTSRegisterSessionNotification")) {
        functions.registerWindow = registerWindow;
    }
    if (const auto unregister = SystemFunction<Unregister>(L"wtsapi32.dll", "WTSUnRegisterSessionNotification")) {
        functions.unregisterWindow = unregister;
    }
    return functions;
}

void WakeUp::HearWhenUnseen() noexcept {
    sessionRetryMs_ = kSessionRetryFirstMs;
    AskForSessionNotifications();
    displayHeard_ = RegisterPowerSettingNotification(Owner(), &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!displayHeard_) {
        displayHeard_ = RegisterPowerSettingNotification(Owner(), &kMonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
}

// Started by the Run entry at logon, the clock can ask before the session service is ready, and is then
// refused (RPC_S_INVALID_BINDING, as the function's documentation warns). Unasked, Windows would never say
// that the session was locked, and the clock would wake every second behind the lock screen: ask again,
// later each time, until Windows agrees.
void WakeUp::AskForSessionNotifications() noexcept {
    KillTimer(Owner(), kSessionRetryTimer);
    if (sessionHeard_ || !sessions_.registerWindow || !Owner()) return;
    sessionHeard_ = CarryOnOr("Form1::AskForSessionNotifications", false,
                              [&] { return sessions_.registerWindow(Owner(), NOTIFY_FOR_THIS_SESSION) != FALSE; });
    if (sessionHeard_) return;
    SetTimer(Owner(), kSessionRetryTimer, sessionRetryMs_, nullptr);
    sessionRetryMs_ = std::min(sessionRetryMs_ * 2, kSessionRetryLongestMs);
}

void WakeUp::StopHearing() noexcept {
    KillTimer(Owner(), kSessionRetryTimer);
    if (sessionHeard_) {
        if (sessions_.unregisterWindow) {
            CarryOn("Form1::StopHearing", [&] { sessions_.unregisterWindow(Owner()); });
        }
        sessionHeard_ = false;
    }
    if (displayHeard_) UnregisterPowerSettingNotification(std::exchange(displayHeard_, nullptr));
}

// The session locked, unlocked or switched away, and the request to hear of it asked again.
std::optional<LRESULT> WakeUp::HandleSessionMessage(UINT message, WPARAM wParam) noexcept {
    if (message == WM_TIMER && wParam == kSessionRetryTimer) {
        AskForSessionNotifications();
        return 0;
    }
    if (message != WM_WTSSESSION_CHANGE) return std::nullopt;
    if (wParam == WTS_SESSION_LOCK || wParam == WTS_SESSION_UNLOCK) locked_ = wParam == WTS_SESSION_LOCK;
    if (wParam == WTS_CONSOLE_DISCONNECT || wParam == WTS_REMOTE_DISCONNECT) disconnected_ = true;
    if (wParam == WTS_CONSOLE_CONNECT || wParam == WTS_REMOTE_CONNECT) disconnected_ = false;
    if (locked_ || disconnected_) {
        Schedule();
    } else {
        Refresh();
    }
    return 0;
}

std::optional<LRESULT> WakeUp::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (const std::optional<LRESULT> handled = HandleSessionMessage(message, wParam)) return handled;
    switch (message) {
        case WM_TIMECHANGE:
            // The time was set, or the zone or its rules changed (by hand, by Windows' automatic zone, on
            // a trip): the zones' rules read so far may be old.
            host_.ForgetZoneRules();
            Refresh();
            if (AlarmBell* bell = host_.Bell()) {
                bell->ForgetRules();
                CarryOn("Form1::AlarmsAfterTimeChange", [&] { bell->Check(); });
            }
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
                Refresh();
                // What passed during the sleep is missed, not rung.
                if (AlarmBell* bell = host_.Bell()) CarryOn("Form1::AlarmsAfterResume", [&] { bell->Check(); });
                return TRUE;
            }
            if (wParam == PBT_POWERSETTINGCHANGE && lParam) {
                const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
                if (setting->DataLength >= sizeof(DWORD)) {
                    DWORD state = 0;
                    std::copy_n(setting->Data, sizeof state, reinterpret_cast<UCHAR*>(&state));
                    displayOn_ = state != 0;  // 2, dimmed, can still be seen
                    if (displayOn_) {
                        Refresh();
                    } else {
                        Schedule();
                    }
                }
                return TRUE;
            }
            break;
        case WM_TIMER:
            if (wParam == timer_.Id()) {
                timer_.Tick();
                return 0;
            }
            break;
        case WM_DESTROY:
            StopHearing();
            break;
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace tellurane
