#pragma once
// The host of every clock. It owns the clocks after the first: opens them from the store, ticks them in
// the first clock's wake-up, hides and shows them with it, makes new ones and lets closed ones go. It
// shows the face's menu, the settings and Clock options for any clock, and takes a clock on top out of
// the way of a program in full screen. The first clock owns it, and keeps what only it does: the tray
// and the program's life.

#include <shlobj.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/clock/alarm_bell.h"
#include "app/clock/clock_window.h"
#include "app/settings/form2.h"
#include "app/tray/sys_tray.h"
#include "logic/full_screen.h"
#include "win32/foreground_watch.h"

namespace tellurane {

using NotificationStateFunction = HRESULT(WINAPI*)(QUERY_USER_NOTIFICATION_STATE*);

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

// The face's menu, by command id.
enum : UINT {
    kMenuSettings = 1,
    kMenuAlwaysOnTop,
    kMenuCopyTime,
    kMenuHideToTray,
    kMenuExit,
    kMenuNewClock,
    kMenuCloseClock,
    kMenuClockOptions,
    kMenuLanguageWindows,
    kMenuSkipAlarm,
    kMenuLanguage = 400,      // + the language's place in Languages()
    kMenuSkin = 500,          // + the skin's place in the Skin menu
    kMenuReopenClock = 1000,  // + the clock's number
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
    // Every face made now, when no tick is set to make them.
    virtual void BringFacesUpToDate() noexcept = 0;

protected:
    ~FirstClock() = default;
};

class Clocks final : public ClockHost, public AlarmHost {
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
    AlarmBell* Bell() noexcept { return bell_.get(); }
    // The stored alarms changed, or a clock opened or closed: read again once the messages are handled
    // (kAlarmsChanged, which asks ReloadAlarms).
    void AlarmsChanged() noexcept;
    void ReloadAlarms();

    // Stepping aside (clocks_aside.cpp), in the tick's wake.
    void WatchForegroundWhileWanted() noexcept;
    void FollowWindowsFullScreenState() noexcept;
    void LookAtForeground() noexcept;
    // Clocks (0: the first, else Clocks\N's N) out of the topmost band for a program in full screen.
    const std::vector<int>& SteppedAside() const noexcept { return steppedAside_; }

    void ShowMenuFor(ClockWindow& clock, LPARAM where) override;
    void OpenSettingsFor(ClockWindow& clock) override;
    bool HideAllInTray() override;
    void ClockClosed(ClockWindow& clock) override;
    void CountdownReached(const std::wstring& label) override;
    void FaceAsked() override { program_.BringFacesUpToDate(); }
    void AlarmAnswered(ClockWindow& clock, bool snooze) override;
    void ForEachClock(const std::function<void(ClockWindow&)>& work) override { ForEach(work); }
    ClockWindow* FindClock(int number) override;
    void Notify(const std::wstring& title, const std::wstring& text) override { program_.Notify(title, text); }

private:
    struct ClosedClock {
        int number;
        std::wstring title;
    };
    std::vector<ClosedClock> ClosedClocks() const;
    ClockWindow* OpenClock(int number);
    void NewClock(ClockWindow& from);
    void RemoveClock(ClockWindow& clock);
    // After its window: a clock closed meanwhile is let go, and nothing more is done to it.
    bool ClosedMeanwhile(ClockWindow& clock);
    // The window's "Always on top" as stored, applied again after a window over it has closed.
    void PutBackOnTop(ClockWindow& clock);
    // The face's menu (clocks_menu.cpp).
    void AddNewClockItems(HMENU menu);
    void RunMenuChoice(ClockWindow& clock, UINT chosen, bool onTop, const std::vector<SkinChoice>& skins);
    void AddAlarmItems(HMENU menu, const ClockWindow& clock);
    // A clock on top steps behind a program in full screen on its monitor, and comes back when it goes.
    void FollowFullScreen() noexcept;
    void OnTopChangedByHand(int number) noexcept;
    void StepAside(ClockWindow& clock, bool aside);

    ClockWindow& first_;
    FirstClock& program_;
    const SettingsStore& main_;
    const ClockServices& services_;
    std::vector<std::unique_ptr<ClockWindow>> others_;
    ClockWindow* inUse_ = nullptr;  // the clock whose settings or options are open
    bool optionsOpen_ = false;
    std::unique_ptr<ForegroundWatch> foregroundWatch_;
    std::vector<int> steppedAside_;              // the clocks (by number) behind a full-screen program
    std::pair<HWND, PixelRect> seenForeground_;  // the foreground window when last looked at
    WindowsSays windowsSay_ = WindowsSays::Nothing;
    std::unique_ptr<AlarmBell> bell_;
    bool alarmsChangePosted_ = false;
};

}  // namespace tellurane
