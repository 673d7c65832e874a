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

std::vector<Clocks::ClosedClock> Clocks::ClosedClocks() const {
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
        if (goes(clock)) std::erase(steppedAside_, clock->Number());
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

}  // namespace tellurane
