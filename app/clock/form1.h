#pragma once
// The clock window: its whole face is a push button that shows the time. It owns the program's
// life: closing it saves its place and ends the program.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/clock/clock_window.h"
#include "app/clock/clocks.h"
#include "app/tray/sys_tray.h"
#include "logic/clock/wake_plan.h"
#include "win32/change_watch.h"
#include "win32/skin.h"
#include "win32/timer.h"

namespace tellurane {

// A change in the skin's folder is looked at this long after it, by a timer of its own.
inline constexpr UINT_PTR kSkinCheckTimer = 2;
inline constexpr UINT kSkinCheckDelayMs = 300;

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

// The skin file, in the program folder.
inline constexpr std::wstring_view kSkinFile = L"\\x\\o.cjs";

// The first clock: the clock type with the program's life, the tray icon, and the error boxes of its
// handlers; it owns the host of the other clocks.
class Form1 : public ClockWindow, public FirstClock {
public:
    explicit Form1(const SettingsStore& store, ClockServices services = {});

    // Creates the window, runs its load handler and shows it.
    bool Load();
    // Before Load: where the session's lock and unlock are asked for.
    void SetSessionNotifications(SessionNotifications functions) { sessions_ = std::move(functions); }
    // Windows has agreed to tell the clock when the session is locked or switched away.
    bool HearsSession() const noexcept { return sessionHeard_; }

    PushButton& PushButton1() { return Face(); }
    HWND Text1() const noexcept { return Control(form1::kText1); }
    Timer& Timer1() noexcept { return timer1_; }
    cSysTray& cSysTray1() noexcept { return cSysTray1_; }
    SkinFramework& SkinFramework1() noexcept { return Skin(); }
    bool MinimizedToTray() const noexcept { return minimizedToTray_; }
    bool OptionsOpen() const noexcept { return clocks_.OptionsOpen(); }
    bool Closing() const noexcept override { return closing_; }
    // A value changed in the store (by a window of the program, by hand): the faces follow at once.
    void SettingsChanged() noexcept;
    // Timer wakes so far, and whether none is set now.
    std::uint64_t Wakes() const noexcept { return wakes_; }
    bool Asleep() const noexcept { return asleep_; }
    bool ShowsSeconds() const override { return !HasOwnFace() || ClockWindow::ShowsSeconds(); }
    const std::vector<int>& SteppedAside() const noexcept { return clocks_.SteppedAside(); }
    AlarmBell* Bell() noexcept { return clocks_.Bell(); }

    // The clock tick: rebuilds the face from the stored display switches and the time.
    void Timer1_Timer();
    // A click on the face: the settings, then "Always on top" applied again.
    void PushButton1_Click();
    void cSysTray1_MouseUp(std::int16_t button, std::int32_t id);

    void Tick(const ClockReading& now) override;
    void OpenSettings() override { PushButton1_Click(); }
    bool CanHideInTray() const noexcept override;
    bool HideAllInTray() override;
    void Announce(const std::wstring& text) override;
    void Notify(const std::wstring& title, const std::wstring& text) override;
    void BringFacesUpToDate() noexcept override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnClose() noexcept override;
    void OnResized() noexcept override;
    void OnMouseMove() noexcept override;
    void Say(const std::wstring& description) override;
    bool SkinLoadedWithWindow() const noexcept override { return true; }
    void SkinChosen(const std::wstring& name) noexcept override;
    void SkinRefused(const std::wstring& description) override;

private:
    void Form_Load();
    void Form_QueryUnload();
    void Form_Unload();
    void Form_Resize();
    // form1_wake.cpp: when the program wakes, for every clock.
    void Timer1_Fired();
    void TickAll();
    WakeState WakeStateNow();
    void ScheduleWake() noexcept;
    void Refresh() noexcept;
    void HearWhenUnseen() noexcept;
    void AskForSessionNotifications() noexcept;
    void StopHearing() noexcept;
    std::optional<LRESULT> HandleWakeMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    std::optional<LRESULT> HandleAlarmMessage(UINT message, WPARAM wParam) noexcept;
    std::optional<LRESULT> HandleSessionMessage(UINT message, WPARAM wParam) noexcept;
    void ReportTickFailure(std::wstring_view description, std::wstring_view location, int line);
    std::wstring TickSetting(const Setting& key) const;
    // form1_face.cpp: a face of its own, the tooltip, and Windows' time or zone changed.
    bool HasOwnFace() const;
    void MinimiseIntoTray();
    // After WM_DPICHANGED: the icons again, at the new DPI's sizes.
    void OnDpiApplied() noexcept;
    void ReloadTrayIcon() noexcept;
    // Every open clock in the tray icon's tip, as the pointer comes over it.
    void ShowWorldInTrayTip();
    // The program folder's skin (form1_skin.cpp): after the tick that follows a change in its folder, a
    // changed skin file is applied again.
    void WatchSkinFile() noexcept;
    void StartSkinWatch() noexcept;

    ClockServices services_;
    Clocks clocks_{*this, *this, Store(), services_};
    Timer timer1_{1, form1::kTimer1IntervalMs};
    cSysTray cSysTray1_;
    std::uint64_t skinFileStamp_ = 0;  // last write time and size of the skin file, 0: none
    std::unique_ptr<FolderWatch> skinFolderWatch_;
    bool skinCheckDue_ = false;     // the skin's folder changed since the file was last looked at
    bool programSkinShown_ = true;  // the clock shows the program folder's skin, not one of its own
    std::optional<std::uint64_t> shownSecond_;
    bool tickBoxOpen_ = false;
    bool minimizedToTray_ = false;
    bool closing_ = false;
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

// Restyles the clock window when the skin file is in the program folder.
void ApplySkin(Form& clockWindow, SkinFramework& skin);

// What the clock window's stored data holds for its tray control.
PropertyBag Form1TrayProperties();

}  // namespace tellurane
