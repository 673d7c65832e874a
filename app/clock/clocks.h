#pragma once
// The host of every clock. It owns the clocks after the first: opens them from the store, ticks them in
// the first clock's wake-up, hides and shows them with it, makes new ones and lets closed ones go. It
// shows the face's menu, the settings and Clock options for any clock, and takes a clock on top out of
// the way of a program in full screen. The first clock owns it, and keeps what only it does: the tray
// and the program's life.

#include <shlobj.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/clock/clock_window.h"
#include "app/clock/face_menu.h"
#include "app/clock/stepping_aside.h"
#include "app/clock/wake_up.h"
#include "app/settings/form2.h"
#include "app/tray/sys_tray.h"

namespace tellurane {

// What the clocks reach outside themselves; tests put in their own.
struct ClockServices {
    ErrorTrap::Reporter report = &ShowApplicationError;
    ClockFunction clock = &ReadSystemClock;
    ShellNotifyFunction shell = &Shell_NotifyIconW;
    ChooseColorFunction chooseColor = &SystemChooseColor;
    DialogErrorFunction dialogError = &SystemDialogError;
    // SHQueryUserNotificationState: whether Windows says a full-screen program or a presentation runs.
    NotificationStateFunction notificationState = &SHQueryUserNotificationState;
    // An alarm's or a chime's sound.
    SoundFunction sound = &PlayClockSound;
};

// Posted to the first clock: the clocks closed meanwhile go.
inline constexpr UINT kRemoveClosedClocks = WM_APP + 1;
// Posted to the first clock: an alarm's or a chime's moment; the stored alarms may have changed.
inline constexpr UINT kAlarmMoment = WM_APP + 2;
inline constexpr UINT kAlarmsChanged = WM_APP + 3;

// What only the first clock does, for the others: the tray and the program's life.
class FirstClock {
public:
    // The program is ending: nothing new opens.
    virtual bool Closing() const noexcept = 0;
    virtual bool CanHideInTray() const noexcept = 0;
    // Every clock into the tray; false when there is no icon to hide in.
    virtual bool HideAllInTray() = 0;
    // A word from the tray icon, with no wait beside it.
    virtual void Announce(const std::wstring& text) = 0;
    // A notification from the tray icon under a title of its own.
    virtual void Notify(const std::wstring& title, const std::wstring& text) = 0;
    // At each wake-up: the first clock's own tick (Timer1's), and a look at the program folder's skin.
    virtual void TickFirst() = 0;
    virtual void WatchSkinFile() noexcept = 0;

protected:
    ~FirstClock() = default;
};

class Clocks final : public ClockHost, public AlarmHost, public WakeHost {
public:
    // first: the first clock's window, and what it alone does.
    Clocks(ClockWindow& first, FirstClock& program, const SettingsStore& main, const ClockServices& services);
    Clocks(const Clocks&) = delete;
    Clocks& operator=(const Clocks&) = delete;

    // The clocks the store holds open, each in its place.
    void OpenStored();
    // Every clock that is open, the first included.
    void ForEach(const std::function<void(ClockWindow&)>& work);
    // The clocks after the first: ticked, shown or hidden, and their places saved, with the first.
    void TickOthers(const ClockReading& now);
    void ShowOthers(bool show);
    void SaveOthers();
    // The clocks closed meanwhile go (kRemoveClosedClocks).
    void RemoveClosed();
    // A settings or options window is open, over whichever clock: one at a time.
    bool OptionsOpen() const noexcept { return optionsOpen_; }
    void SetOptionsOpen(bool open) noexcept { optionsOpen_ = open; }
    void OpenClockOptions(ClockWindow& clock);
    // The alarms and chimes of every open clock, once the first clock's window is there to be told of
    // their moments.
    void StartAlarms(HWND owner, BellServices services);
    AlarmBell* Bell() noexcept override { return bell_.get(); }
    // The stored alarms changed, or a clock opened or closed: read again once the messages are handled
    // (kAlarmsChanged, which asks ReloadAlarms).
    void AlarmsChanged() noexcept override;
    void ReloadAlarms();
    // The alarms' moments, their minute of sound, and their store's changes, posted to the first clock.
    std::optional<LRESULT> HandleAlarmMessage(UINT message, WPARAM wParam) noexcept;

    // When the program wakes, for every clock.
    WakeUp& Wake() noexcept { return wake_; }
    const WakeUp& Wake() const noexcept { return wake_; }
    void TickAll() override;
    WakeState ClocksState(bool looking) override;
    void ForgetZoneRules() noexcept override {
        ForEach([](ClockWindow& clock) { clock.ForgetZoneRules(); });
    }
    void FollowFirst() noexcept override;
    // Stepping aside for a program in full screen, in the tick's wake.
    void LookAround() noexcept override { aside_.LookAround(); }
    // Clocks (0: the first, else Clocks\N's N) out of the topmost band for a program in full screen.
    const std::vector<int>& SteppedAside() const noexcept { return aside_.SteppedAside(); }

    void ShowMenuFor(ClockWindow& clock, LPARAM where) override;
    void OpenSettingsFor(ClockWindow& clock) override;
    bool HideAllInTray() override;
    void ClockClosed(ClockWindow& clock) override;
    void CountdownReached(const std::wstring& label) override;
    void FaceAsked() override { wake_.BringFacesUpToDate(); }
    void AlarmAnswered(ClockWindow& clock, bool snooze) override;
    void ForEachClock(const std::function<void(AlarmClock&)>& work) override {
        ForEach([&](ClockWindow& clock) { work(clock); });
    }
    ClockWindow* FindClock(int number) override;
    void Notify(const std::wstring& title, const std::wstring& text) override { program_.Notify(title, text); }

private:
    std::vector<ClosedClock> ClosedClocks() const;
    ClockWindow* OpenClock(int number);
    void NewClock(ClockWindow& from);
    void RemoveClock(ClockWindow& clock);
    // After its window: a clock closed meanwhile is let go, and nothing more is done to it.
    bool ClosedMeanwhile(ClockWindow& clock);
    // The window's "Always on top" as stored, applied again after a window over it has closed.
    void PutBackOnTop(ClockWindow& clock);
    // What the face's menu shows of the clocks and the alarms, and what its choice does.
    FaceMenuState MenuStateFor(const ClockWindow& clock);
    void RunMenuChoice(ClockWindow& clock, UINT chosen, const FaceMenuState& state);

    ClockWindow& first_;
    FirstClock& program_;
    const SettingsStore& main_;
    const ClockServices& services_;
    std::vector<std::unique_ptr<ClockWindow>> others_;
    ClockWindow* inUse_ = nullptr;  // the clock whose settings or options are open
    bool optionsOpen_ = false;
    // A clock on top steps behind a program in full screen on its monitor, and comes back when it goes.
    SteppingAside aside_{[this](const std::function<void(const AsideClock&)>& work) {
                             ForEach([&](ClockWindow& clock) { work({clock, clock.Number(), clock.Store()}); });
                         },
                         services_.notificationState};
    std::unique_ptr<AlarmBell> bell_;
    bool alarmsChangePosted_ = false;
    WakeUp wake_{*this, first_, services_.clock};
};

}  // namespace tellurane
