#include "app/clock/clocks.h"

#include <algorithm>

#include "app/clock/clock_options.h"
#include "logic/texts.h"
#include "win32/boundary.h"
#include "win32/handles.h"

namespace tellurane {
Clocks::Clocks(ClockWindow& first, FirstClock& program, const SettingsStore& main, const ClockServices& services)
    : first_(first), program_(program), main_(main), services_(services) {}

void Clocks::OpenStored() {
    for (int number : main_.NumberedKeys(kClocksSubKey)) {
        if (ClockStore(main_, number).Read(keys::kOpen) == L"0") continue;  // closed: listed, not shown
        OpenClock(number);
    }
}

std::vector<ClosedClock> Clocks::ClosedClocks() const {
    std::vector<ClosedClock> closed;
    for (int number : main_.NumberedKeys(kClocksSubKey)) {
        const SettingsStore clock = ClockStore(main_, number);
        if (clock.Read(keys::kOpen) != L"0") continue;
        const std::wstring label = clock.Read(keys::kLabel);
        closed.push_back(
            {number, label.empty() || label == L"0" ? Tr(IDS_MENU_CLOSED_CLOCK, {std::to_wstring(number)}) : label});
    }
    return closed;
}

ClockWindow* Clocks::OpenClock(int number) {
    auto clock = std::make_unique<ClockWindow>(number, main_, *this, services_.report);
    if (!clock->Open()) return nullptr;
    clock->Tick(services_.clock());
    others_.push_back(std::move(clock));
    AlarmsChanged();
    return others_.back().get();
}

void Clocks::ForEach(const std::function<void(ClockWindow&)>& work) {
    work(first_);
    for (auto& clock : others_) {
        if (!clock->Closed()) work(*clock);
    }
}

void Clocks::TickOthers(const ClockReading& now) {
    for (auto& clock : others_) {
        if (clock->Handle() && !clock->Closed()) CarryOn("Clocks::TickOthers", [&] { clock->Tick(now); });
    }
}

void Clocks::ShowOthers(bool show) {
    for (auto& clock : others_) ShowWindow(clock->Handle(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void Clocks::SaveOthers() {
    for (auto& clock : others_) CarryOn("Clocks::SaveOthers", [&] { clock->SavePlace(); });
}

// Its look and its zone, a little below and to the right of the clock it came from.
void Clocks::NewClock(ClockWindow& from) {
    const std::vector<int> numbers = main_.NumberedKeys(kClocksSubKey);
    const int number = numbers.empty() ? 1 : numbers.back() + 1;
    const SettingsStore clock = ClockStore(main_, number);
    for (const Setting* key : kAllSettings) {
        if (key->newClockTakes && from.Store().HasSetting(*key)) clock.WriteSetting(*key, from.Store().Read(*key));
    }
    const double step = 2 * GetSystemMetrics(SM_CYCAPTION) * 15.0;  // twips at 96 DPI, as stored
    clock.Write(keys::kForm1Top, from.Top() + step);
    clock.Write(keys::kForm1Left, from.Left() + step);
    clock.Write(keys::kForm1Height, from.Height());
    clock.Write(keys::kForm1Width, from.Width());
    if (ClockWindow* opened = OpenClock(number)) {
        SetForegroundWindow(opened->Handle());
        OpenClockOptions(*opened);
    }
}

void Clocks::PutBackOnTop(ClockWindow& clock) {
    const bool onTop = CarryOnOr("Clocks::PutBackOnTop", false,
                                 [&] { return StoredSwitchIsOn(clock.Store().Read(keys::kAlwaysOnTop)); });
    if (onTop) SetTopMost(clock.Handle());
}

void Clocks::OpenClockOptions(ClockWindow& clock) {
    if (program_.Closing() || optionsOpen_) return;
    optionsOpen_ = true;
    ClearTopMost(clock.Handle());
    ClockOptionsAnswer answer = ClockOptionsAnswer::Cancelled;
    inUse_ = &clock;
    CarryOn("Clocks::OpenClockOptions", [&] {
        ClockOptions options(clock.Store(), clock.Number() != 0);
        answer = options.ShowModal(clock.Handle());
    });
    inUse_ = nullptr;
    optionsOpen_ = false;
    if (answer == ClockOptionsAnswer::Removed) {
        RemoveClock(clock);
        return;
    }
    if (ClosedMeanwhile(clock)) return;
    PutBackOnTop(clock);
    clock.Tick(services_.clock());  // what was chosen shows at once, not at the next second
}

void Clocks::OpenSettingsFor(ClockWindow& clock) {
    if (program_.Closing() || optionsOpen_) return;
    optionsOpen_ = true;
    ClearTopMost(clock.Handle());
    inUse_ = &clock;
    CarryOn("Clocks::OpenSettingsFor", [&] {
        Form2 settings(clock.Store(), clock.Face(), services_.report, services_.chooseColor, services_.dialogError);
        settings.StartsWithWindowsIn(main_);  // the program's, not this clock's
        settings.ShowModal(clock.Handle());
    });
    inUse_ = nullptr;
    optionsOpen_ = false;
    if (ClosedMeanwhile(clock)) return;
    PutBackOnTop(clock);
}

// Only here is a clock's key deleted: a closed clock stays listed under New clock.
void Clocks::RemoveClock(ClockWindow& clock) {
    if (!clock.Store().DeleteAll()) {
        // Still stored, it would come back at the next start: closed instead (or, where even that is
        // refused, left as it is), and the user is told.
        if (!clock.Store().Write(keys::kOpen, 0)) {
            ShowPlainError(Tr(IDS_CLOCK_NOT_REMOVED_NOR_CLOSED));
            return;
        }
        ShowPlainError(Tr(IDS_CLOCK_NOT_REMOVED));
    }
    ShowWindow(clock.Handle(), SW_HIDE);
    clock.MarkClosed();
    PostMessageW(first_.Handle(), kRemoveClosedClocks, 0, 0);
}

void Clocks::ClockClosed(ClockWindow& clock) {
    clock.SavePlace();
    clock.Store().Write(keys::kOpen, 0);
    clock.MarkClosed();
    ShowWindow(clock.Handle(), SW_HIDE);
    // Destroyed from the first clock's messages, not from within its own.
    PostMessageW(first_.Handle(), kRemoveClosedClocks, 0, 0);
}

// A clock whose settings or options window is open stays until that window has closed: the window
// works on it, whoever closed it meanwhile (a script, End task).
void Clocks::RemoveClosed() {
    const auto goes = [this](const std::unique_ptr<ClockWindow>& clock) {
        return clock->Closed() && clock.get() != inUse_;
    };
    for (auto& clock : others_) {
        if (goes(clock)) aside_.Forget(clock->Number());
    }
    others_.erase(std::remove_if(others_.begin(), others_.end(), goes), others_.end());
    AlarmsChanged();
}

bool Clocks::ClosedMeanwhile(ClockWindow& clock) {
    if (!clock.Closed()) return false;
    PostMessageW(first_.Handle(), kRemoveClosedClocks, 0, 0);
    return true;
}

bool Clocks::HideAllInTray() { return program_.HideAllInTray(); }

void Clocks::CountdownReached(const std::wstring& label) {
    // No wait beside it: the clocks tick on while it shows.
    program_.Announce(label.empty() ? Tr(IDS_COUNTDOWN_REACHED) : Tr(IDS_COUNTDOWN_REACHED_LABEL, {label}));
}

void Clocks::TickAll() {
    program_.TickFirst();
    TickOthers(services_.clock());         // every clock in the one wake-up
    UpdateWindow(first_.Face().Handle());  // the new time shows now, in one repaint
}

WakeState Clocks::ClocksState(bool looking) {
    WakeState state{false, false, std::nullopt};
    ForEach([&](ClockWindow& clock) {
        if (looking && clock.CanBeSeen()) {
            state.seen = true;
            state.secondsSeen = state.secondsSeen || clock.ShowsSeconds();
        }
        if (const std::optional<std::int64_t> moment = clock.NextMoment(); moment && *moment > 0) {
            const auto at = static_cast<std::uint64_t>(*moment);
            state.nextMoment = state.nextMoment ? std::min(*state.nextMoment, at) : at;
        }
    });
    return state;
}

void Clocks::FollowFirst() noexcept {
    program_.WatchSkinFile();
    first_.FollowChosenSkin();
    first_.FollowClickThrough();
}

// The face's menu: what it shows of the clocks and the alarms, and what its choice does.
void Clocks::ShowMenuFor(ClockWindow& clock, LPARAM where) {
    if (program_.Closing()) return;
    const POINT at = FaceMenuPoint(clock.Face().Handle(), where);
    const FaceMenuState state = MenuStateFor(clock);
    RunMenuChoice(clock, ShowFaceMenu(clock.Handle(), at, clock.Store(), state, main_), state);
}

FaceMenuState Clocks::MenuStateFor(const ClockWindow& clock) {
    FaceMenuState state;
    state.onTop = CarryOnOr("Clocks::ShowMenuFor", false,
                            [&] { return StoredSwitchIsOn(clock.Store().Read(keys::kAlwaysOnTop)); });
    state.closed = ClosedClocks();
    if (bell_) {
        state.nextAlarm = CarryOnOr("Clocks::AddAlarmItems", std::optional<AlarmBell::NextAlarm>{},
                                    [&] { return bell_->Next(clock.Number()); });
    }
    state.skins = CarryOnOr("Clocks::ShowMenuFor", std::vector<SkinChoice>{}, [] { return SkinChoices(); });
    state.canHideInTray = program_.CanHideInTray();
    state.closable = clock.Number() != 0;
    return state;
}

void Clocks::RunMenuChoice(ClockWindow& clock, UINT chosen, const FaceMenuState& state) {
    const std::vector<SkinChoice>& skins = state.skins;
    const bool onTop = state.onTop;
    if (chosen >= kMenuSkin && chosen - kMenuSkin < skins.size()) {
        clock.Store().WriteSetting(keys::kSkin, skins[chosen - kMenuSkin].value);
        clock.FollowChosenSkin();
        return;
    }
    if (RunOwnChoice(chosen, clock.Handle(), clock.Face(), main_)) return;
    if (chosen > kMenuReopenClock) {
        if (ClockWindow* reopened = OpenClock(static_cast<int>(chosen - kMenuReopenClock))) {
            SetForegroundWindow(reopened->Handle());
        }
        return;
    }
    switch (chosen) {
        case kMenuSettings:
            clock.OpenSettings();
            break;
        case kMenuClockOptions:
            OpenClockOptions(clock);
            break;
        case kMenuSkipAlarm:
            if (bell_) bell_->SkipNext(clock.Number());
            break;
        case kMenuNewClock:
            NewClock(clock);
            break;
        case kMenuAlwaysOnTop:
            // Stored and applied at once, as the settings' box does when they close.
            clock.Store().Write(keys::kAlwaysOnTop, onTop ? 0 : 1);
            if (onTop) {
                ClearTopMost(clock.Handle());
            } else {
                SetTopMost(clock.Handle());
            }
            aside_.OnTopChangedByHand(clock.Number());
            break;
        case kMenuHideToTray:
            HideAllInTray();
            break;
        case kMenuCloseClock:
            if (clock.Number() != 0) PostMessageW(clock.Handle(), WM_CLOSE, 0, 0);
            break;
        case kMenuExit:
            PostMessageW(first_.Handle(), WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

// The alarms of every clock, as the host of the clocks sees them: the bell and the answers.
void Clocks::StartAlarms(HWND owner, BellServices services) {
    bell_ = std::make_unique<AlarmBell>(owner, kAlarmMoment, main_, *this, std::move(services));
    bell_->Reload();
}

ClockWindow* Clocks::FindClock(int number) {
    if (number == 0) return &first_;
    for (auto& clock : others_) {
        if (clock->Number() == number && !clock->Closed()) return clock.get();
    }
    return nullptr;
}

void Clocks::AlarmAnswered(ClockWindow& clock, bool snooze) {
    if (bell_) bell_->Answer(clock.Number(), snooze);
}

void Clocks::AlarmsChanged() noexcept {
    // Once for a burst of changes (a window storing all its values): read when the messages are handled.
    if (!bell_ || !first_.Handle() || alarmsChangePosted_) return;
    alarmsChangePosted_ = PostMessageW(first_.Handle(), kAlarmsChanged, 0, 0) != FALSE;
}

void Clocks::ReloadAlarms() {
    alarmsChangePosted_ = false;
    if (bell_) bell_->Reload();
}

// The alarms' moments, their minute of sound, and their store's changes.
std::optional<LRESULT> Clocks::HandleAlarmMessage(UINT message, WPARAM wParam) noexcept {
    AlarmBell* bell = bell_.get();
    if (message == kAlarmMoment) {
        if (bell) CarryOn("Form1::AlarmMoment", [&] { bell->Check(); });
        return 0;
    }
    if (message == kAlarmsChanged) {
        CarryOn("Form1::AlarmsChanged", [&] { ReloadAlarms(); });
        return 0;
    }
    if (message == WM_TIMER && wParam == AlarmBell::kAlarmSilenceTimer) {
        if (bell) bell->Silence();
        return 0;
    }
    return std::nullopt;
}

}  // namespace tellurane
