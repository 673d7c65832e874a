#include "app/clock/extra_clock.h"

#include <windowsx.h>

#include "app/main_module.h"
#include "logic/layouts.h"
#include "logic/menu_point.h"
#include "logic/setting_keys.h"
#include "win32/boundary.h"
#include "win32/dpi.h"

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

ExtraClock::ExtraClock(int number, const SettingsStore& main, ClockHost& host, ErrorTrap::Reporter report)
    : Form(ExtraClockLayout()),
      number_(number),
      store_(ClockStore(main, number)),
      host_(host),
      report_(std::move(report)) {}

std::wstring ExtraClock::Value(std::wstring_view key) const { return store_.CachedText(key); }

std::wstring ExtraClock::Label() const { return Value(clock_keys::kLabel); }

std::wstring ExtraClock::WindowCaption() const {
    return Label().empty() ? std::wstring(L"Tellurane") : Label() + L" - Tellurane";
}

bool ExtraClock::Open() {
    windowCaption_ = WindowCaption();
    if (!Create(nullptr, windowCaption_)) return false;
    PassMenuRequestsUp(form1::kText1);
    SnapToEdges([this] { return VisibleFormRects({&Form1Layout(), &ExtraClockLayout()}, Handle()); });
    Face().onClick = [this] { host_.OpenSettingsFor(*this); };
    Face().SetDescription(L"Opens the settings");
    SetIcons(ProgramIcon(false, Dpi()), ProgramIcon(true, Dpi()));
    // A place that does not read as a number keeps the layout's, as a bad size or colour keeps its default.
    const auto place = [&](std::wstring_view key, auto apply) {
        const std::wstring text = Value(key);
        if (!text.empty()) CarryOn("ExtraClock::Open", [&] { apply(StoredDecimal(text)); });
    };
    place(keys::kForm1Top, [&](double twips) { SetTop(twips); });
    place(keys::kForm1Left, [&](double twips) { SetLeft(twips); });
    place(keys::kForm1Height, [&](double twips) { SetHeight(twips); });
    place(keys::kForm1Width, [&](double twips) { SetWidth(twips); });
    BringOntoAMonitor();
    ApplyLook();
    skin_.showLook = [this](const SkinLook* look, SkinGrant grant) { skinned_.Show(look, grant); };
    FollowChosenSkin();
    store_.WriteSetting(clock_keys::kOpen, L"1");
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    return true;
}

void ExtraClock::ApplyLook() {
    const std::wstring color = Value(keys::kFontColor);
    if (!color.empty()) {
        CarryOn("ExtraClock::ApplyLook", [&] { Face().SetForeColor(static_cast<ColorValue>(StoredInteger32(color))); });
    }
    const std::wstring size = Value(keys::kFontSize);
    if (!size.empty()) CarryOn("ExtraClock::ApplyLook", [&] { Face().SetFontSize(StoredDecimal(size)); });
    if (Switch(keys::kAlwaysOnTop)) {
        SetTopMost(Handle());
    } else {
        ClearTopMost(Handle());
    }
}

bool ExtraClock::Switch(std::wstring_view key) {
    const std::wstring text = Value(key);
    if (text.empty()) return false;
    try {
        return StoredSwitchIsOn(text);
    } catch (const AppError& error) {
        Report(error.Description());
        return false;
    }
}

void ExtraClock::Report(const std::wstring& description) {
    if (description == reported_) return;  // once per bad value, not once a second
    reported_ = description;
    const std::wstring label = Label();
    const std::wstring where = L"in the clock " + std::to_wstring(number_) +
                               (label.empty() ? L"" : L" (" + label + L")");
    CarryOn("ExtraClock::Report", [&] { report_(description, where, 0); });
}

void ExtraClock::Tick(const ClockReading& now) {
    OwnFaceSettings settings{
        Value(clock_keys::kTimeZone), Value(clock_keys::kCountdown),
        ClockLook{Label(), Switch(keys::kMilitaryTime), Switch(keys::kDayMonthYear), Switch(keys::kShowWeekday),
                  Value(clock_keys::kTimePicture), Value(clock_keys::kDatePicture)}};
    const std::wstring text = face_.Compose(std::move(settings), now,
                                            [this](const std::wstring& problem) { Report(problem); });
    if (face_.ReachedZero()) host_.CountdownReached(Label());
    FollowChosenSkin();
    clickThrough_.Follow(Switch(clock_keys::kClickThrough));
    const PushButton::CaptionBatch oneChange(Face());
    Face().SetCaption(text);
    const std::wstring caption = WindowCaption();
    if (caption != windowCaption_) {
        windowCaption_ = caption;
        SetCaption(caption);
    }
}

void ExtraClock::FollowChosenSkin() noexcept {
    const std::wstring name = Value(clock_keys::kSkin);
    if (chosenSkin_ == name) return;
    chosenSkin_ = name;
    try {
        ApplyChosenSkin(*this, skin_, name);
    } catch (const AppError& error) {
        Report(error.Description());
    } catch (...) {
        LogCaughtFailure("ExtraClock::FollowChosenSkin");
    }
}

void ExtraClock::SavePlace() {
    store_.WriteSetting(keys::kForm1Top, GeometryToStoredText(Top()));
    store_.WriteSetting(keys::kForm1Left, GeometryToStoredText(Left()));
    store_.WriteSetting(keys::kForm1Height, GeometryToStoredText(Height()));
    store_.WriteSetting(keys::kForm1Width, GeometryToStoredText(Width()));
}

bool ExtraClock::OnClose() noexcept {
    CarryOn("ExtraClock::OnClose", [&] { host_.ClockClosed(*this); });
    return true;  // the first clock destroys it, outside its own messages
}

void ExtraClock::OnResized() noexcept {
    if (!Control(form1::kPushButton1) || IsIconic(Handle())) return;
    const TwipsSize face = FaceSizeForClient(Layout(), form1::kPushButton1, ClientWidth(), ClientHeight());
    Face().SetWidth(face.width);
    Face().SetHeight(face.height);
}

void ExtraClock::OnCommand(int id, int code) noexcept {
    // As in the first clock: the unseen text box's caret would wake the program twice a second.
    if (id == form1::kText1 && code == EN_SETFOCUS) DestroyCaret();
}

LRESULT ExtraClock::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_CONTEXTMENU:
            if (!AsksForFaceMenu(*this, wParam, lParam)) break;
            CarryOn("ExtraClock::HandleMessage", [&] { host_.ShowMenuFor(*this, lParam); });
            return 0;
        case WM_MOUSEWHEEL:
            if (CarryOnOr("ExtraClock::HandleMessage", false,
                          [&] { return host_.WheelResizesText(Face(), store_, wParam, lParam); })) {
                return 0;
            }
            break;
        case WM_SETCURSOR:
            clickThrough_.PointerOver();
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE &&
                CarryOnOr("ExtraClock::HandleMessage", false, [&] { return host_.HideAllInTray(); })) {
                return 0;
            }
            break;
        default:
            break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace tellurane
