#pragma once
// The clock window: its whole face is a push button that shows the time. It owns the program's
// life: closing it saves its place and ends the program.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/clock/click_through.h"
#include "app/clock/clock_options.h"
#include "app/clock/extra_clock.h"
#include "app/clock/skinned_clock.h"
#include "app/clock/system_clock.h"
#include "app/main_module.h"
#include "app/settings/form2.h"
#include "app/settings_store.h"
#include "app/tray/sys_tray.h"
#include "logic/error_trap.h"
#include "logic/full_screen.h"
#include "logic/layouts.h"
#include "win32/change_watch.h"
#include "win32/foreground_watch.h"
#include "win32/form.h"
#include "win32/skin.h"
#include "win32/timer.h"

namespace tellurane {

using NotificationStateFunction = HRESULT(WINAPI*)(QUERY_USER_NOTIFICATION_STATE*);

// What the clock window reaches outside itself; tests put in their own.
struct ClockServices {
    ErrorTrap::Reporter report = &ShowApplicationError;
    ClockFunction clock = &ReadSystemClock;
    ShellNotifyFunction shell = &Shell_NotifyIconA;
    ChooseColorFunction chooseColor = &SystemChooseColor;
    DialogErrorFunction dialogError = &SystemDialogError;
    // SHQueryUserNotificationState: whether Windows says a full-screen program or a presentation runs.
    NotificationStateFunction notificationState = &SHQueryUserNotificationState;
};

// The skin file, in the program folder.
inline constexpr std::wstring_view kSkinFile = L"\\x\\o.cjs";

inline constexpr std::wstring_view kMinimizedBalloonTitle = L"Tellurane";
inline constexpr std::wstring_view kMinimizedBalloonText =
    L"has been minimized to the system tray.\r\nClick on the blue 'M' icon (M for Marrowick) to bring the software "
    L"back.";

inline constexpr std::wstring_view kTimeNotCopied =
    L"The time could not be copied: another program is using the clipboard. Try again in a moment.";
inline constexpr std::wstring_view kClockNotRemoved =
    L"This clock could not be removed: Windows refused to delete its settings. It is closed instead, and "
    L"New clock in the menu opens it again.";
inline constexpr std::wstring_view kClockNotRemovedNorClosed =
    L"This clock could not be removed: Windows refused to change its settings. It stays as it was.";

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
    kMenuSkin = 500,          // + the skin's place in the Skin menu
    kMenuReopenClock = 1000,  // + the clock's number
};

// A clock closed by its user: listed under New clock, to open again.
struct ExtraClockEntry {
    int number;
    std::wstring title;
};

// Posted to the first clock: the clocks closed meanwhile go.
inline constexpr UINT kRemoveClosedClocks = WM_APP + 1;

class Form1 : public Form, public ClockHost {
public:
    explicit Form1(const SettingsStore& store, ClockServices services = {});

    // Creates the window, runs its load handler and shows it.
    bool Load();

    PushButton& PushButton1() { return Button(form1::kPushButton1); }
    HWND Text1() const noexcept { return Control(form1::kText1); }
    Timer& Timer1() noexcept { return timer1_; }
    cSysTray& cSysTray1() noexcept { return cSysTray1_; }
    SkinFramework& SkinFramework1() noexcept { return skinFramework1_; }
    bool MinimizedToTray() const noexcept { return minimizedToTray_; }
    bool OptionsOpen() const noexcept { return optionsOpen_; }
    // Clocks (0: this one, else Clocks\N's N) out of the topmost band for a program in full screen.
    const std::vector<int>& SteppedAside() const noexcept { return steppedAside_; }

    // The clock tick: rebuilds the face from the stored display switches and the time.
    void Timer1_Timer();
    // A click on the face: the settings, then "Always on top" applied again.
    void PushButton1_Click();
    void cSysTray1_MouseUp(std::int16_t button, std::int32_t id);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnClose() noexcept override;
    void OnResized() noexcept override;
    void OnMouseMove() noexcept override;

private:
    void Form_Load();
    void Form_QueryUnload();
    void Form_Unload();
    void Form_Resize();
    void Timer1_Fired();
    void ReportTickFailure(std::wstring_view description, std::wstring_view location, int line);
    std::wstring TickSetting(std::wstring_view key) const;
    // form1_face.cpp: a face of its own, the tooltip, and Windows' time or zone changed.
    bool HasOwnFace() const;
    void ShowOwnFace(ErrorTrap& trap);
    void OnTimeChanged() noexcept;
    bool CanHideInTray() const noexcept;
    void MinimiseIntoTray();
    void CreateFaceTooltip() noexcept;
    // After WM_DPICHANGED: the icons again, at the new DPI's sizes.
    void OnDpiApplied() noexcept;
    void ReloadTrayIcon() noexcept;
    // The face's menu and the wheel (form1_menu.cpp), for this clock or another.
    std::optional<LRESULT> HandleFaceMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void ShowFaceMenu(ExtraClock* clock, LPARAM where);
    void RunMenuChoice(ExtraClock* clock, UINT chosen, bool onTop, const std::vector<SkinChoice>& skins);
    static void AddSkinItems(HMENU menu, const SettingsStore& store, const std::vector<SkinChoice>& skins);
    void AddNewClockItems(HMENU menu);
    // The other clocks (form1_clocks.cpp).
    void OpenStoredClocks();
    std::vector<ExtraClockEntry> ClosedClocks() const;
    ExtraClock* OpenClock(int number);
    void TickExtraClocks(const ClockReading& now);
    void NewClock(ExtraClock* from);
    void RemoveClosedClocks();
    void ShowExtraClocks(bool show);
    void SaveExtraClocks();
    void ShowMenuFor(ExtraClock& clock, LPARAM where) override;
    void OpenSettingsFor(ExtraClock& clock) override;
    // Clock options for a clock (nullptr: the first); Remove there deletes an extra clock.
    void OpenClockOptions(ExtraClock* clock);
    // After its window: a clock closed meanwhile is let go, and nothing more is done to it.
    bool ClosedMeanwhile(ExtraClock& clock);
    void RemoveClock(ExtraClock& clock);
    bool HideAllInTray() override;
    void ClockClosed(ExtraClock& clock) override;
    void CountdownReached(const std::wstring& label) override;
    bool WheelResizesText(PushButton& face, const SettingsStore& store, WPARAM wParam, LPARAM lParam) override;
    // Full-screen programs (form1_aside.cpp): a clock on top steps behind one on its monitor, and
    // comes back when it goes.
    void FollowFullScreen() noexcept;
    void FollowWindowsFullScreenState() noexcept;
    void LookAtForeground() noexcept;
    void OnTopChangedByHand(int number) noexcept;
    // The foreground is watched only while a clock is on top and steps aside: otherwise no hooks at all.
    void WatchForegroundWhileWanted() noexcept;
    // number: the clock's (0 for this one), which outlives any window handle.
    void StepAside(Form& window, int number, const SettingsStore& store, bool aside);
    // The mouse through the first clock as its store says; the tray icon's click takes it back.
    void FollowClickThrough() noexcept;
    // The skin (form1_skin.cpp): its look on the window, and a changed file applied again.
    // After the tick that follows a change in the skin's folder: a changed skin file is applied again.
    void WatchSkinFile() noexcept;
    void StartSkinWatch() noexcept;
    // The skin the store names, applied when the name changes (by the menu or by hand).
    void FollowChosenSkin() noexcept;

    const SettingsStore& store_;
    ClockServices services_;
    Timer timer1_{1, form1::kTimer1IntervalMs};
    cSysTray cSysTray1_;
    SkinFramework skinFramework1_;
    SkinnedClock skinned_{*this, form1::kPushButton1, store_};
    // Owned by the clock window, so Windows destroys it with that window; a second owner here would
    // destroy a handle that may by then name another window.
    HWND tooltip_ = nullptr;
    std::optional<std::wstring> chosenSkin_;  // the store's skin name last applied
    std::uint64_t skinFileStamp_ = 0;         // last write time and size of the skin file, 0: none
    std::unique_ptr<FolderWatch> skinFolderWatch_;
    bool skinCheckDue_ = false;  // the skin's folder changed since the file was last looked at
    std::optional<std::uint64_t> shownSecond_;
    bool tickBoxOpen_ = false;
    OwnFace ownFace_;
    std::wstring ownFaceReported_;  // the last bad value of its own said
    std::vector<std::unique_ptr<ExtraClock>> extraClocks_;
    ExtraClock* inUse_ = nullptr;  // the clock whose settings or options are open
    std::unique_ptr<ForegroundWatch> foregroundWatch_;
    std::vector<int> steppedAside_;              // the clocks (by number) behind a full-screen program
    std::pair<HWND, PixelRect> seenForeground_;  // the foreground window when last looked at
    WindowsSays windowsSay_ = WindowsSays::Nothing;
    ClickThrough clickThrough_{*this};
    int wheelTurned_ = 0;  // of a notch, on a wheel that turns in finer steps
    bool minimizedToTray_ = false;
    bool optionsOpen_ = false;
    bool closing_ = false;
};

// Restyles the clock window when the skin file is in the program folder.
void ApplySkin(Form& clockWindow, SkinFramework& skin);

// What the clock window's stored data holds for its tray control.
PropertyBag Form1TrayProperties();

}  // namespace tellurane
