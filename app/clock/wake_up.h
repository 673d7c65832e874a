#pragma once
// When the program wakes, for every clock: at each second, or minute, that a face that can be seen
// changes; at a moment something must happen (a countdown's zero); and at once when Windows says the
// faces are wrong (the time or the zone changed, the computer woke) or can be seen again (the session
// unlocked, the display back on). Nobody can see them: no wake-up at all. The host of every clock owns it;
// its timer is the first clock's Timer1, and it hears Windows through the first clock's window.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "app/alarms/alarm_bell.h"
#include "logic/clock/wake_plan.h"
#include "logic/layouts.h"
#include "win32/form.h"
#include "win32/timer.h"

namespace tellurane {

// Session notifications refused (at logon, before Windows' session service is ready) are asked for again
// by a timer of their own, a second later, then twice as long each time, up to a minute.
inline constexpr UINT_PTR kSessionRetryTimer = 9;
inline constexpr UINT kSessionRetryFirstMs = 1000;
inline constexpr UINT kSessionRetryLongestMs = 60000;

// WTSRegisterSessionNotification and WTSUnRegisterSessionNotification, or what a test puts in their place;
// empty where Windows lacks them.
struct SessionNotifications {
    std::function<BOOL(HWND window, DWORD flags)> registerWindow;
    std::function<BOOL(HWND window)> unregisterWindow;
};
SessionNotifications SystemSessionNotifications();

// What the wake-up asks of the host of every clock.
class WakeHost {
public:
    // Every face shows the time now, in one repaint: the first clock's tick (Timer1's), then every other's.
    virtual void TickAll() = 0;
    // Whether a clock can be seen (while Windows lets anyone look) and changes every second, and the next
    // moment one of them must act at.
    virtual WakeState ClocksState(bool looking) = 0;
    // The time or the zone changed: each clock's zone rules are read again.
    virtual void ForgetZoneRules() noexcept = 0;
    // After a tick that can be seen: the program folder's skin, and the first clock's skin and mouse.
    virtual void FollowFirst() noexcept = 0;
    // While a clock can be seen: out of the way of a program in full screen, and back after it.
    virtual void LookAround() noexcept = 0;
    // The alarms and chimes once they started, and the store's change told to them.
    virtual AlarmBell* Bell() noexcept = 0;
    virtual void AlarmsChanged() noexcept = 0;

protected:
    ~WakeHost() = default;
};

class WakeUp {
public:
    // first: the first clock, whose window hears Windows and whose timer wakes the program.
    WakeUp(WakeHost& host, const Form& first, const ClockFunction& clock);
    WakeUp(const WakeUp&) = delete;
    WakeUp& operator=(const WakeUp&) = delete;

    Timer& Timer1() noexcept { return timer_; }
    // Once the first clock's window is there: the first tick at the start of the next second, like every
    // other, and from now on Windows says when the session is locked and the display goes off.
    void Start() noexcept;
    // Before Start: where the session's lock and unlock are asked for.
    void SetSessionNotifications(SessionNotifications functions) { sessions_ = std::move(functions); }
    // Windows has agreed to tell the clock when the session is locked or switched away.
    bool HearsSession() const noexcept { return sessionHeard_; }
    // Timer wakes so far, and whether none is set now.
    std::uint64_t Wakes() const noexcept { return wakes_; }
    bool Asleep() const noexcept { return asleep_; }
    // The first clock's face shows that second.
    void Shown(std::uint64_t second) noexcept { shownSecond_ = second; }

    // The next wake, planned from now.
    void Schedule() noexcept;
    void Refresh() noexcept;
    // A face is read, or a clock shown, while the clocks do not tick: every face is made now.
    void BringFacesUpToDate() noexcept;
    // A value changed in the store: the alarms are read again, and the faces made at once when seen.
    void SettingsChanged() noexcept;
    // The first clock's messages that concern the wake-up: its timer, Windows' news of the time, the
    // session, the display and power.
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    void Fired();
    WakeState StateNow();
    void HearWhenUnseen() noexcept;
    void AskForSessionNotifications() noexcept;
    void StopHearing() noexcept;
    std::optional<LRESULT> HandleSessionMessage(UINT message, WPARAM wParam) noexcept;
    HWND Owner() const noexcept;

    WakeHost& host_;
    const Form& first_;
    const ClockFunction& clock_;
    Timer timer_{1, form1::kTimer1IntervalMs};
    std::optional<std::uint64_t> shownSecond_;
    // What Windows said: nobody can see a clock while the session is locked or away, or the display off.
    bool locked_ = false, disconnected_ = false, displayOn_ = true;
    SessionNotifications sessions_ = SystemSessionNotifications();
    bool sessionHeard_ = false;
    UINT sessionRetryMs_ = kSessionRetryFirstMs;  // the wait before the next request, after one refused
    HPOWERNOTIFY displayHeard_ = nullptr;
    bool asleep_ = false;           // no wake is set: nothing is seen and nothing is due
    bool settingsChanged_ = false;  // the next wake makes the faces, whatever second it is
    std::uint64_t wakes_ = 0;       // timer wakes so far
};

}  // namespace tellurane
