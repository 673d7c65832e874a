#include "app/clock/clock_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/main_module.h"
#include "logic/app_title.h"
#include "logic/menu_point.h"
#include "logic/texts.h"
#include "logic/twips.h"
#include "win32/boundary.h"
#include "win32/dpi.h"
#include "win32/modal.h"

namespace tellurane {
namespace {

ScreenPoint SaidPoint(LPARAM where) { return {GET_X_LPARAM(where), GET_Y_LPARAM(where)}; }

// Where the pointer was when the message that asked for the menu came.
ScreenPoint PointerAtMessage() {
    const DWORD position = GetMessagePos();
    return {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}

}  // namespace

bool AsksForFaceMenu(Form& clock, WPARAM from, LPARAM where) {
    const auto window = reinterpret_cast<HWND>(from);
    if (window == clock.Button(form1::kPushButton1).Handle() || window == clock.Control(form1::kText1)) return true;
    return window == clock.Handle() && ContextMenuFromKeyboard(SaidPoint(where), PointerAtMessage());
}

POINT FaceMenuPoint(HWND face, LPARAM where) {
    RECT area{};
    GetWindowRect(face, &area);
    const ScreenPoint at = ContextMenuPoint(SaidPoint(where), PointerAtMessage(), ToPixelRect(area));
    return {at.x, at.y};
}

ClockWindow::ClockWindow(const WindowLayout& layout, const SettingsStore& store, ClockHost& host,
                         ErrorTrap::Reporter report)
    : Form(layout), number_(0), store_(store), host_(host), report_(std::move(report)) {
    skin_.showLook = [this](const SkinLook* look, SkinGrant grant) { skinned_.Show(look, grant); };
}

ClockWindow::ClockWindow(int number, const SettingsStore& main, ClockHost& host, ErrorTrap::Reporter report)
    : Form(ExtraClockLayout()),
      number_(number),
      own_(ClockStore(main, number)),
      store_(*own_),
      host_(host),
      report_(std::move(report)) {
    skin_.showLook = [this](const SkinLook* look, SkinGrant grant) { skinned_.Show(look, grant); };
}

std::wstring ClockWindow::WindowCaption() const {
    return Label().empty() ? std::wstring(L"Tellurane") : Label() + L" - Tellurane";
}

bool ClockWindow::CreateClock(std::wstring_view caption) {
    if (!Create(nullptr, caption)) return false;
    SnapToEdges([this] { return VisibleFormRects({&Form1Layout(), &ExtraClockLayout()}, Handle()); });
    PassMenuRequestsUp(form1::kText1);
    Face().onClick = [this] { OpenSettings(); };
    Face().SetDescription(Tr(IDS_FACE_DESCRIPTION));  // said the same for a click, Enter or Space
    Face().onCaptionAsked = [this] { host_.FaceAsked(); };
    return true;
}

bool ClockWindow::Open() {
    windowCaption_ = WindowCaption();
    if (!CreateClock(windowCaption_)) return false;
    SetIcons(ProgramIcon(false, Dpi()), ProgramIcon(true, Dpi()));
    // A place that does not read as a number keeps the layout's, as a bad size or colour keeps its default.
    for (const PlaceValue& value : kPlace) {
        CarryOn("ClockWindow::Open", [&] {
            const double twips = store_.Number(*value.key, std::numeric_limits<double>::quiet_NaN());
            if (!std::isnan(twips)) (this->*value.set)(twips);
        });
    }
    BringOntoAMonitor();
    ApplyLook();
    FollowChosenSkin();
    CreateFaceTooltip();
    store_.Write(keys::kOpen, 1);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    return true;
}

void ClockWindow::ApplyLook() {
    if (store_.HasSetting(keys::kFontColor)) {
        CarryOn("ClockWindow::ApplyLook",
                [&] { Face().SetForeColor(static_cast<ColorValue>(store_.Number(keys::kFontColor))); });
    }
    if (store_.HasSetting(keys::kFontSize)) {
        CarryOn("ClockWindow::ApplyLook", [&] { Face().SetFontSize(store_.Number(keys::kFontSize)); });
    }
    if (Switch(keys::kAlwaysOnTop)) {
        SetTopMost(Handle());
    } else {
        ClearTopMost(Handle());
    }
}

bool ClockWindow::Switch(const Setting& key) {
    const std::wstring text = store_.CachedText(key);
    if (text.empty()) return false;
    try {
        return StoredSwitchIsOn(text);
    } catch (const AppError& error) {
        Report(error.Description());
        return false;
    }
}

void ClockWindow::Report(const std::wstring& description) {
    if (description == reported_) return;  // once per bad value, not once a second
    reported_ = description;
    CarryOn("ClockWindow::Report", [&] { Say(description); });
}

void ClockWindow::Say(const std::wstring& description) {
    const std::wstring label = Label();
    const std::wstring number = std::to_wstring(number_);
    report_(description, label.empty() ? Tr(IDS_IN_CLOCK, {number}) : Tr(IDS_IN_CLOCK_LABELLED, {number, label}), 0);
}

std::wstring ClockWindow::ComposeFace(const ClockReading& now, const SwitchReader& switchOn) {
    OwnFaceSettings settings{
        store_.CachedText(keys::kTimeZone), store_.CachedText(keys::kCountdown),
        ClockLook{Label(), switchOn(keys::kMilitaryTime), switchOn(keys::kDayMonthYear), switchOn(keys::kShowWeekday),
                  store_.CachedText(keys::kTimePicture), store_.CachedText(keys::kDatePicture)}};
    const std::wstring label = settings.look.label;
    std::wstring text = face_.Compose(std::move(settings), now,
                                      [this](const std::wstring& problem) { Report(problem); });
    if (face_.ReachedZero()) host_.CountdownReached(label);
    return text;
}

void ClockWindow::Tick(const ClockReading& now) {
    const std::wstring text = ComposeFace(now, [this](const Setting& key) { return Switch(key); });
    FollowChosenSkin();
    FollowClickThrough();
    const PushButton::CaptionBatch oneChange(Face());
    if (!ShowAlarmCaption()) Face().SetCaption(text);
    const std::wstring caption = WindowCaption();
    if (caption != windowCaption_) {
        windowCaption_ = caption;
        SetCaption(caption);
    }
}

void ClockWindow::FollowClickThrough() noexcept { clickThrough_.Follow(StoredSwitchOr(store_, keys::kClickThrough)); }

void ClockWindow::FollowChosenSkin() noexcept {
    const std::wstring name = CarryOnOr("ClockWindow::FollowChosenSkin", std::wstring(),
                                        [&] { return store_.CachedText(keys::kSkin); });
    if (chosenSkin_ == name) return;
    const bool loaded = chosenSkin_.has_value();
    chosenSkin_ = name;
    SkinChosen(name);
    if (!loaded && name.empty() && SkinLoadedWithWindow()) return;
    // A name that is no usable skin is said once; the look stays as it was.
    SayOrLog(
        "ClockWindow::FollowChosenSkin", [&] { ApplyChosenSkin(*this, skin_, name); },
        [this](const std::wstring& problem) { SkinRefused(problem); });
}

void ClockWindow::SavePlace() {
    for (const PlaceValue& value : kPlace) SavePlaceValue(value);
}

bool ClockWindow::OnClose() noexcept {
    CarryOn("ClockWindow::OnClose", [&] { host_.ClockClosed(*this); });
    return true;  // the host destroys it, outside its own messages
}

void ClockWindow::FitFace() {
    const TwipsSize face = FaceSizeForClient(Layout(), form1::kPushButton1, ClientWidth(), ClientHeight());
    Face().SetWidth(face.width - PixelsToTwips(ring_.Room(), Dpi()));
    Face().SetHeight(face.height);
}

void ClockWindow::OnResized() noexcept {
    if (!Control(form1::kPushButton1) || IsIconic(Handle())) return;
    CarryOn("ClockWindow::OnResized", [&] {
        FitFace();
        ring_.Place();
    });
}

void ClockWindow::OnCommand(int id, int code) noexcept {
    // The unseen text box only keeps the focus: its caret would blink, waking the program twice a second
    // for nothing. Removing it leaves the box working as before.
    if (id == form1::kText1 && code == EN_SETFOCUS) DestroyCaret();
    if (const std::optional<bool> snooze = RingFace::Answer(id, code)) {
        CarryOn("ClockWindow::AlarmAnswered", [&] { host_.AlarmAnswered(*this, *snooze); });
    }
}

// Each notch of Ctrl + wheel one point larger or smaller, stored as the settings store it; only over the
// face, so a wheel meant for a window beside it does nothing here.
bool ClockWindow::ResizeTextByWheel(WPARAM wParam, LPARAM lParam) {
    if (!(GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL)) return false;
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT area;
    GetWindowRect(Face().Handle(), &area);
    if (!PtInRect(&area, at)) return false;
    wheelTurned_ += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = wheelTurned_ / WHEEL_DELTA;
    wheelTurned_ %= WHEEL_DELTA;
    if (notches == 0) return true;
    const double size = std::clamp(std::round(Face().FontSize()) + notches, 1.0, std::floor(keys::kFontSize.high));
    Face().SetFontSize(size);
    store_.Write(keys::kFontSize, size);
    return true;
}

LRESULT ClockWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (RingFace::OnlyAnswersNow(message)) return 0;
    switch (message) {
        case WM_DESTROY:
            DisabledWindows::KeepAnswerable(Handle(), false);
            break;
        case WM_CONTEXTMENU:
            if (!AsksForFaceMenu(*this, wParam, lParam)) break;
            CarryOn("ClockWindow::ShowMenu", [&] { host_.ShowMenuFor(*this, lParam); });
            return 0;
        case WM_MOUSEWHEEL:
            if (CarryOnOr("ClockWindow::ResizeTextByWheel", false, [&] { return ResizeTextByWheel(wParam, lParam); })) {
                return 0;
            }
            break;
        case WM_SETCURSOR:
            clickThrough_.PointerOver();
            break;
        case WM_SYSCOMMAND:
            // Into the tray straight from the normal state, with every other clock.
            if ((wParam & 0xFFF0) == SC_MINIMIZE &&
                CarryOnOr("ClockWindow::HandleMessage", false, [&] { return host_.HideAllInTray(); })) {
                return 0;
            }
            break;
        case WM_NOTIFY:
            if (AnswerTooltip(lParam)) return 0;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && ring_.HasChoices()) {
                // The focus goes to the choice, so that Enter dismisses.
                const LRESULT result = Form::HandleMessage(message, wParam, lParam);
                ring_.FocusForKeys();
                return result;
            }
            break;
        case WM_WINDOWPOSCHANGED:
            // Shown again some other way than by the tray icon (restored from the taskbar): while the clocks
            // sleep, its face is made now and the ticks start again.
            if (CanBeSeen()) host_.FaceAsked();
            break;
        default:
            break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

// What a clock tells at a glance: its face's tip (what a click does, and how far its zone is from the
// computer's own time) and its line in the tray icon's tip, which lists every open clock.

void ClockWindow::CreateFaceTooltip() noexcept {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Face().Handle());
    // Asked for each time it shows: the zone's distance changes with daylight saving time.
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, Dpi(), 96));  // its lines as they are
}

std::wstring ClockWindow::FaceTip() {
    std::wstring tip = Tr(IDS_FACE_TOOLTIP);
    const std::wstring zone = store_.CachedText(keys::kTimeZone);
    if (zone.empty()) return tip;
    const auto now = static_cast<std::int64_t>(ReadSystemClock().utcMilliseconds);
    return tip + L"\r\n" + ZoneDistanceText(face_.MinutesAheadOfLocal(zone, now));
}

bool ClockWindow::AnswerTooltip(LPARAM lParam) noexcept {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (!tooltip_ || info->hdr.hwndFrom != tooltip_ || info->hdr.code != TTN_GETDISPINFOW) return false;
    tipText_ = CarryOnOr("ClockWindow::FaceTip", std::wstring(), [this] { return FaceTip(); });
    info->lpszText = tipText_.data();
    return true;
}

// Its name, its time as the user writes a time, and the day where it is not today here.
TipClock ClockWindow::Glance(std::int64_t utcMilliseconds, const LocalTime& here) {
    const LocalTime there = face_.LocalAt(store_.CachedText(keys::kTimeZone), utcMilliseconds);
    const SYSTEMTIME time = ToSystemTime(there);
    wchar_t text[64] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, 64);
    return TipClock{Name(), text, DayDelta(there, here)};
}

std::wstring ClockWindow::Name() const {
    std::wstring label = Label();
    if (!label.empty()) return label;
    return number_ == 0 ? std::wstring(kProductName) : Tr(IDS_MENU_CLOSED_CLOCK, {std::to_wstring(number_)});
}

}  // namespace tellurane
