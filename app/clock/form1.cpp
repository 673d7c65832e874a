#include "app/clock/form1.h"

#include "logic/app_error.h"
#include "logic/app_title.h"
#include "logic/clock/face_text.h"
#include "logic/clock/tick_schedule.h"
#include "logic/error_report.h"
#include "logic/paths.h"
#include "logic/setting_keys.h"
#include "logic/texts.h"
#include "logic/twips.h"
#include "resources/resource_ids.h"
#include "win32/boundary.h"
#include "win32/dpi.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<OwnedSearch*>(context);
    const bool tool = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;  // the face's tooltip
    if (!tool && GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window) && IsWindowEnabled(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The window of ours that the user is in while the clock window waits for it (the settings).
HWND OwnedWindowInUse(HWND owner) {
    OwnedSearch search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindOwnedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

PropertyBag Form1TrayProperties() {
    PropertyBag bag;
    bag.Write(L"InTray", false);
    bag.Write(L"TrayIcon", LoadIconPicture(TELLURANE_TRAY_ICON, 16));
    bag.Write(L"TrayTip", std::wstring(kDefaultTrayTip));
    return bag;
}

Form1::Form1(const SettingsStore& store, ClockServices services)
    : ClockWindow(Form1Layout(), store, clocks_, services.report),
      services_(std::move(services)),
      cSysTray1_(services_.shell) {
    cSysTray1_.MouseUp = [this](std::int16_t button, std::int32_t id) { cSysTray1_MouseUp(button, id); };
    // A click on a notification (an alarm, a countdown's end) brings hidden clocks back, as the icon does:
    // a ringing clock's Dismiss and Snooze are on its face.
    cSysTray1_.BalloonClick = [this](std::int32_t id) {
        if (minimizedToTray_) cSysTray1_MouseUp(1, id);
    };
    // The pointer over the icon: its tip is made then, so the times it lists are those of the moment.
    cSysTray1_.MouseMove = [this](std::int32_t) { CarryOn("Form1::TrayTip", [this] { ShowWorldInTrayTip(); }); };
    cSysTray1_.LoadTrayIcon = [] { return LoadTrayIconPicture(TELLURANE_SHARP_TRAY_ICON); };
    cSysTray1_.IconShownChanged = [this](bool shown) {
        // Explorer lost the icon and cannot take it back: a window hidden into it would be lost too.
        if (!shown && minimizedToTray_ && Handle()) ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
    };
}

bool Form1::Load() {
    if (!CreateClock({})) return false;
    cSysTray1_.ReadProperties(Form1TrayProperties());
    ReloadTrayIcon();  // the sharp picture at the shell's size, in place of the stored 16x16 one
    PushButton1().onMouseMove = [this] {
        if (Pointer() != MousePointer::Hourglass) SetPointer(MousePointer::Custom);
    };
    CreateFaceTooltip();
    Form_Resize();
    Form_Load();
    Timer1().Attach(Handle());
    programSkin_.Start();
    FollowChosenSkin();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
    clocks_.Wake().Start();
    CarryOn("Form1::OpenStoredClocks", [&] { clocks_.OpenStored(); });
    CarryOn("Form1::StartAlarms", [&] { clocks_.StartAlarms(Handle(), {services_.clock, services_.sound}); });
    return true;
}

void Form1::Form_Load() {
    ErrorTrap trap(location::kForm1Load, services_.report);
    trap.Run(100, [this] { ApplySkin(*this, Skin()); });
    const std::wstring cursorFile = InFolder(ProgramFolder(), kCursorFile);
    if (trap.If(104, [&] { return FileExists(cursorFile); })) {
        trap.Run(106, [&] { SetMouseIcon(LoadCursorFile(cursorFile)); });
    }
    // The centring defaults use the layout size, before any stored size is applied; positions are
    // twips at the system DPI.
    const double screenWidth = PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), SystemDpi());
    const double screenHeight = PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), SystemDpi());
    trap.Run(110, [&] { SetTop(Store().Number(keys::kForm1Top, (screenHeight - Height()) / 2)); });
    trap.Run(112, [&] { SetLeft(Store().Number(keys::kForm1Left, (screenWidth - Width()) / 2)); });
    trap.Run(114, [&] { SetHeight(Store().Number(keys::kForm1Height, Height())); });
    trap.Run(116, [&] { SetWidth(Store().Number(keys::kForm1Width, Width())); });
    // Stored places are applied as they are, partly off screen included; but a window that would lie
    // wholly off every monitor (a monitor unplugged since) could never be found again.
    BringOntoAMonitor();
    trap.Run(118, [&] {
        // Without a colour of the user's, the skin's (if any) is the one that shows.
        const std::optional<COLORREF> skinColor = SkinTextColor();
        const double fallback = skinColor ? static_cast<double>(*skinColor) : 0;
        PushButton1().SetForeColor(static_cast<ColorValue>(Store().Number(keys::kFontColor, fallback)));
    });
    trap.Run(136, [this] {
        SetCaption(kProductName);
        SetIcons(ProgramIcon(false, Dpi()), ProgramIcon(true, Dpi()));
        SetApplicationTitle();
    });
    trap.Run(138, [this] { cSysTray1_.SetTrayTip(kProductName); });
    trap.Run(140, [this] { cSysTray1_.SetInTray(true); });
    if (trap.If(142, [&] { return StoredSwitchIsOn(Store().Read(keys::kAlwaysOnTop)); })) {
        trap.Run(144, [this] { SetTopMost(Handle()); });
    }
    trap.Run(146, [&] { PushButton1().SetFontSize(Store().Number(keys::kFontSize)); });
}

// The first clock's face of its own (a zone, label, picture or countdown).
// A zone, label, picture or countdown of its own: then the first clock shows what the others show.
bool Form1::HasOwnFace() const {
    for (const Setting* key :
         {&keys::kTimeZone, &keys::kLabel, &keys::kTimePicture, &keys::kDatePicture, &keys::kCountdown}) {
        if (!Store().CachedText(*key).empty()) return true;
    }
    return false;
}

void Form1::Tick(const ClockReading&) { Timer1_Timer(); }

// A value of its own face that cannot be used: said as the tick's failures are.
void Form1::Say(const std::wstring& description) { ReportTickFailure(description, location::kForm1Tick, 0); }

void Form1::Timer1_Timer() {
    // The tick's steps carry no line numbers: every box says line 0. A setting whose text does
    // not convert counts as on, as a failed if-test always does.
    ErrorTrap trap(location::kForm1Tick, [this](std::wstring_view description, std::wstring_view where, int line) {
        ReportTickFailure(description, where, line);
    });
    const PushButton::CaptionBatch oneChange(PushButton1());
    if (ShowAlarmCaption()) return;
    if (HasOwnFace()) {
        trap.Run([&] {
            const ClockReading now = services_.clock();
            PushButton1().SetCaption(ComposeFace(now, [&](const Setting& key) {
                return trap.If(0, [&] { return StoredSwitchIsOn(TickSetting(key)); });
            }));
            clocks_.Wake().Shown(now.utcMilliseconds / 1000);
        });
        return;
    }
    std::wstring pattern;
    const bool military = trap.If(0, [&] { return StoredSwitchIsOn(TickSetting(keys::kMilitaryTime)); });
    trap.Run([&] { pattern = military ? kTime24 : kTime12; });
    trap.Run([&] { pattern += L" "; });
    const bool dayFirst = trap.If(0, [&] { return StoredSwitchIsOn(TickSetting(keys::kDayMonthYear)); });
    trap.Run([&] { pattern += dayFirst ? kDayFirst : kMonthFirst; });
    trap.Run([&] {
        const ClockReading now = services_.clock();
        PushButton1().SetCaption(FormatDateTime(pattern, now.local, UserLocaleTexts()));
        clocks_.Wake().Shown(now.utcMilliseconds / 1000);
    });
    if (!trap.If(0, [&] { return StoredSwitchIsOn(TickSetting(keys::kShowWeekday)); })) return;
    trap.Run([&] {
        const ClockReading now = services_.clock();
        PushButton1().SetCaption(PushButton1().Caption() + L" " + DayOfWeekName(now.local));
    });
}

// What the tick shows is read again only after a change (the store's watch). While a box of an earlier
// tick is open, the system's loop of the box keeps the watch from running: the store is read each time,
// so a value put right meanwhile shows at once, and once more after the box, which is then the last.
std::wstring Form1::TickSetting(const Setting& key) const {
    return tickBoxOpen_ ? Store().Read(key) : Store().CachedSetting(key, key.fallback.value_or(0));
}

// Ticks go on while a box of an earlier tick is open, so that the clock keeps running; they
// never open a second box, or a bad setting would pile up one box a second.
void Form1::ReportTickFailure(std::wstring_view description, std::wstring_view location, int line) {
    if (tickBoxOpen_) return;
    tickBoxOpen_ = true;
    CarryOn("Form1::ReportTickFailure", [&] { services_.report(description, location, line); });
    tickBoxOpen_ = false;
    Store().ForgetCached();
}

void Form1::PushButton1_Click() {
    if (closing_) return;  // the program is ending: a settings window now would outlive it
    ErrorTrap trap(location::kForm1FaceClick, services_.report);
    if (trap.If(100, [this] { return clocks_.OptionsOpen(); })) return;
    trap.Run(102, [this] { clocks_.SetOptionsOpen(true); });
    trap.Run(104, [this] { ClearTopMost(Handle()); });
    trap.Run(106, [this] {
        Form2 settings(Store(), PushButton1(), services_.report, services_.chooseColor, services_.dialogError);
        if (const auto skinColor = SkinTextColor()) settings.skinTextColor = static_cast<ColorValue>(*skinColor);
        settings.ShowModal(Handle());
    });
    if (trap.If(108, [&] { return StoredSwitchIsOn(Store().Read(keys::kAlwaysOnTop)); })) {
        trap.Run(110, [this] { SetTopMost(Handle()); });
    } else {
        trap.Run(112, [this] { ClearTopMost(Handle()); });
    }
    trap.Run(114, [this] { clocks_.SetOptionsOpen(false); });
}

void Form1::cSysTray1_MouseUp(std::int16_t, std::int32_t) {
    // Clocks the mouse passes through take it again, until the pointer has left them.
    clocks_.ForEach([](ClockWindow& clock) { clock.TakeTheMouse(); });
    // The faces show the time before they show, in this same wake; their ticks go on after it.
    clocks_.TickAll();
    ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
    clocks_.ShowOthers(true);
    // While the settings window is open the clock window is disabled: the settings come to the front.
    HWND popup = OwnedWindowInUse(Handle());
    SetForegroundWindow(popup ? popup : Handle());
    if (!popup) FocusForKeys();
    minimizedToTray_ = false;
    clocks_.Wake().Schedule();
}

void Form1::OnResized() noexcept {
    CarryOn("Form1::OnResized", [&] { Form_Resize(); });
}

void Form1::Form_Resize() {
    if (!Control(form1::kPushButton1)) return;  // sizes set while the window is being built
    if (IsIconic(Handle())) {
        // Without a confirmed tray icon the window stays minimised on the taskbar like any other:
        // hidden, nothing could bring it back.
        if (!minimizedToTray_ && CanHideInTray()) MinimiseIntoTray();
        return;
    }
    ClockWindow::OnResized();  // the face, and a ringing alarm's choices beside it
}

bool Form1::CanHideInTray() const noexcept { return cSysTray1_.IconShown() && !closing_; }

// Into the tray straight from the normal state: the window is never left minimised while hidden. True
// once done, whatever the balloon's wait brought meanwhile (a click on the icon shows it again).
bool Form1::HideAllInTray() {
    if (minimizedToTray_) return true;
    if (!CanHideInTray()) return false;
    MinimiseIntoTray();
    return true;
}

void Form1::MinimiseIntoTray() {
    // The window leaves the taskbar; the tray icon brings it back, in its normal state. Minimised by
    // someone else's ShowWindow (Win+M, a shortcut's "Run: Minimized"), it stays minimised while hidden
    // and is restored as it is shown: showing it in between would play Windows' animation of a window
    // flying out of the taskbar and vanishing.
    ShowWindow(Handle(), SW_HIDE);
    clocks_.ShowOthers(false);
    minimizedToTray_ = true;
    clocks_.Wake().Schedule();  // none, unless a moment is due
    cSysTray1_.ShowBalloon(Tr(IDS_MINIMIZED_BALLOON), kProductName, 5, true);
}

void Form1::SkinRefused(const std::wstring& description) { ShowPlainError(description); }

void Form1::Announce(const std::wstring& text) { cSysTray1_.ShowBalloon(text, kProductName, 0, false); }

void Form1::ShowWorldInTrayTip() {
    const ClockReading now = services_.clock();
    std::vector<TipClock> clocks;
    clocks_.ForEach([&](ClockWindow& clock) {
        clocks.push_back(clock.Glance(static_cast<std::int64_t>(now.utcMilliseconds), now.local));
    });
    const std::wstring tip = WorldTip(clocks);
    if (tip != cSysTray1_.TrayTip()) cSysTray1_.SetTrayTip(tip);
}

void Form1::Notify(const std::wstring& title, const std::wstring& text) {
    cSysTray1_.ShowBalloon(text, title, 0, false);
}

void Form1::OnMouseMove() noexcept {
    if (Pointer() != MousePointer::Hourglass) SetPointer(MousePointer::Default);
}

bool Form1::OnClose() noexcept {
    // A second request while the first one waits: the close is already saving and ending. Running it
    // again would nest a second wait inside the first and end the program from within it.
    if (closing_) return true;
    closing_ = true;
    clocks_.SaveOthers();
    if (AlarmBell* bell = clocks_.Bell()) CarryOn("Form1::OnClose", [&] { bell->SaveSeen(); });
    CarryOn("Form1::OnClose", [&] { Form_QueryUnload(); });
    Form_Unload();
    return true;
}

void Form1::Form_QueryUnload() {
    ErrorTrap trap(location::kForm1QueryUnload, services_.report);
    // The normal-state place, whether the window shows, hides in the tray or is minimised.
    constexpr int kLines[] = {100, 102, 222, 223};  // of kPlace's values, in order
    for (std::size_t index = 0; index < std::size(kPlace); ++index) {
        trap.Run(kLines[index], [&] { SavePlaceValue(kPlace[index]); });
    }
    trap.Run(104, [this] { Timer1().SetEnabled(false); });
    trap.Run(106, [this] {
        cSysTray1_.SetInTray(false);
        WaitSeconds(1);
    });
    trap.Run(108, [] { HandlePendingMessages(); });
    trap.Run(110, [] { HandlePendingMessages(); });
}

void Form1::OnDpiApplied() noexcept {
    // Icons are bitmaps: the caption and the taskbar want them at the sizes of the new DPI, and the
    // tray's size may have changed with it.
    SetIcons(ProgramIcon(false, Dpi()), ProgramIcon(true, Dpi()));
    ReloadTrayIcon();
}

void Form1::ReloadTrayIcon() noexcept {
    // Should the new picture fail, the one shown so far stays.
    CarryOn("Form1::ReloadTrayIcon", [&] { cSysTray1_.ReloadTrayIcon(); });
}

void Form1::Form_Unload() {
    // Ends the program: every loop, nested ones included, stops at the quit message.
    PostQuitMessage(0);
    DestroyWindow(Handle());
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (const std::optional<LRESULT> handled = clocks_.HandleAlarmMessage(message, wParam)) return *handled;
    if (const std::optional<LRESULT> handled = clocks_.Wake().HandleMessage(message, wParam, lParam)) return *handled;
    switch (message) {
        case kRemoveClosedClocks:
            CarryOn("Form1::RemoveClosedClocks", [&] { clocks_.RemoveClosed(); });
            return 0;
        case WM_TIMER:
            if (wParam == kSkinCheckTimer) {
                programSkin_.CheckDue();
                return 0;
            }
            break;
        case WM_WINDOWPOSCHANGED:
            // Shown, by whatever path (WM_SHOWWINDOW does not come for every one of them).
            if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) minimizedToTray_ = false;
            break;
        case WM_DPICHANGED: {
            const LRESULT result = ClockWindow::HandleMessage(message, wParam, lParam);
            OnDpiApplied();
            return result;
        }
        case WM_SETTINGCHANGE:
            // The icon sizes may have changed with the window metrics.
            if (wParam == SPI_SETICONMETRICS || wParam == SPI_SETNONCLIENTMETRICS) ReloadTrayIcon();
            // Windows' apps switched between light and dark: the skin's [Dark] keys come or go at once.
            if (lParam && lstrcmpiW(reinterpret_cast<const wchar_t*>(lParam), L"ImmersiveColorSet") == 0) {
                clocks_.ForEach([](ClockWindow& clock) { clock.ReapplySkin(); });
            }
            break;
        case WM_DISPLAYCHANGE:
            ReloadTrayIcon();
            break;
        case WM_ENDSESSION:
            // Windows is shutting down: no WM_CLOSE comes, but the place must still be saved.
            if (wParam) OnClose();
            return 0;
        default:
            break;
    }
    return ClockWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace tellurane
