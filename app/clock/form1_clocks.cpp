// The clocks after the first: opened from the store, ticked with the first, hidden and shown with it,
// made with New clock and closed on their own.

#include <algorithm>

#include "app/clock/form1.h"
#include "logic/app_title.h"
#include "logic/setting_keys.h"
#include "win32/boundary.h"
#include "win32/handles.h"

namespace tellurane {
namespace {

// The numbers of Clocks\N, as stored: whole positive numbers only; anything else is no clock of ours.
std::vector<int> StoredClockNumbers(const std::wstring& settingsKey) {
    std::vector<int> numbers;
    UniqueKey clocks;
    const std::wstring path = settingsKey + L"\\" + kClocksSubKey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, clocks.put()) != ERROR_SUCCESS) {
        return numbers;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(clocks.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        const std::wstring_view text(name, length);
        if (text.empty() || text.size() > 6 || text.front() == L'0' ||
            !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
            continue;
        }
        numbers.push_back(std::stoi(std::wstring(text)));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

}  // namespace

void Form1::OpenStoredClocks() {
    for (int number : StoredClockNumbers(store_.KeyPath())) {
        const SettingsStore clock = ClockStore(store_, number);
        if (clock.ReadSetting(clock_keys::kOpen, 1) == L"0") continue;  // closed: listed, not shown
        OpenClock(number);
    }
}

std::vector<ExtraClockEntry> Form1::ClosedClocks() const {
    std::vector<ExtraClockEntry> closed;
    for (int number : StoredClockNumbers(store_.KeyPath())) {
        const SettingsStore clock = ClockStore(store_, number);
        if (clock.ReadSetting(clock_keys::kOpen, 1) != L"0") continue;
        const std::wstring label = clock.ReadSetting(clock_keys::kLabel, 0);
        closed.push_back({number, label == L"0" || label.empty() ? L"Clock " + std::to_wstring(number) : label});
    }
    return closed;
}

ExtraClock* Form1::OpenClock(int number) {
    auto clock = std::make_unique<ExtraClock>(number, store_, *this, services_.report);
    if (!clock->Open()) return nullptr;
    clock->Tick(services_.clock());
    extraClocks_.push_back(std::move(clock));
    return extraClocks_.back().get();
}

void Form1::TickExtraClocks(const ClockReading& now) {
    for (auto& clock : extraClocks_) {
        if (clock->Handle() && !clock->Closed()) CarryOn("Form1::TickExtraClocks", [&] { clock->Tick(now); });
    }
}

// Its look and its zone, a little below and to the right of the clock it came from.
void Form1::NewClock(ExtraClock* from) {
    const std::vector<int> numbers = StoredClockNumbers(store_.KeyPath());
    const int number = numbers.empty() ? 1 : numbers.back() + 1;
    const SettingsStore clock = ClockStore(store_, number);
    const SettingsStore& source = from ? from->Store() : store_;
    for (std::wstring_view key :
         {keys::kFontColor, keys::kFontSize, keys::kAlwaysOnTop, keys::kDayMonthYear, keys::kShowWeekday,
          keys::kMilitaryTime, clock_keys::kTimeZone, clock_keys::kLabel, clock_keys::kTimePicture,
          clock_keys::kDatePicture, clock_keys::kSkin, clock_keys::kStepAside, clock_keys::kClickThrough}) {
        if (source.HasSetting(key)) clock.WriteSetting(key, source.ReadSetting(key, 0));
    }
    const Form& origin = from ? static_cast<const Form&>(*from) : *this;
    const double step = 2 * GetSystemMetrics(SM_CYCAPTION) * 15.0;  // twips at 96 DPI, as stored
    clock.WriteSetting(keys::kForm1Top, GeometryToStoredText(origin.Top() + step));
    clock.WriteSetting(keys::kForm1Left, GeometryToStoredText(origin.Left() + step));
    clock.WriteSetting(keys::kForm1Height, GeometryToStoredText(origin.Height()));
    clock.WriteSetting(keys::kForm1Width, GeometryToStoredText(origin.Width()));
    if (ExtraClock* opened = OpenClock(number)) {
        SetForegroundWindow(opened->Handle());
        OpenClockOptions(opened);
    }
}

void Form1::OpenClockOptions(ExtraClock* clock) {
    if (closing_ || optionsOpen_) return;
    Form& window = clock ? static_cast<Form&>(*clock) : *this;
    const SettingsStore& store = clock ? clock->Store() : store_;
    optionsOpen_ = true;
    ClearTopMost(window.Handle());
    ClockOptionsAnswer answer = ClockOptionsAnswer::Cancelled;
    inUse_ = clock;
    CarryOn("Form1::OpenClockOptions", [&] {
        ClockOptions options(store, clock != nullptr);
        answer = options.ShowModal(window.Handle());
    });
    inUse_ = nullptr;
    optionsOpen_ = false;
    if (clock && answer != ClockOptionsAnswer::Removed && ClosedMeanwhile(*clock)) return;
    if (clock && answer == ClockOptionsAnswer::Removed) {
        RemoveClock(*clock);
        return;
    }
    const bool onTop = CarryOnOr("Form1::OpenClockOptions", false,
                                 [&] { return StoredSwitchIsOn(store.ReadSetting(keys::kAlwaysOnTop, 0)); });
    if (onTop) SetTopMost(window.Handle());
    // What was chosen shows at once, not at the next second.
    if (clock) {
        clock->Tick(services_.clock());
    } else {
        Timer1_Timer();
    }
}

// Only here is a clock's key deleted: a closed clock stays listed under New clock.
void Form1::RemoveClock(ExtraClock& clock) {
    const std::wstring& key = clock.Store().KeyPath();
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());  // its values and any key below
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    UniqueKey left;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, left.put()) == ERROR_SUCCESS) {
        // Still stored, it would come back at the next start: closed instead (or, where even that is
        // refused, left as it is), and the user is told.
        if (!clock.Store().WriteSetting(clock_keys::kOpen, L"0")) {
            ShowPlainError(kClockNotRemovedNorClosed);
            return;
        }
        ShowPlainError(kClockNotRemoved);
    }
    ShowWindow(clock.Handle(), SW_HIDE);
    clock.MarkClosed();
    PostMessageW(Handle(), kRemoveClosedClocks, 0, 0);
}

void Form1::ClockClosed(ExtraClock& clock) {
    clock.SavePlace();
    clock.Store().WriteSetting(clock_keys::kOpen, L"0");
    clock.MarkClosed();
    ShowWindow(clock.Handle(), SW_HIDE);
    // Destroyed from the first clock's messages, not from within its own.
    PostMessageW(Handle(), kRemoveClosedClocks, 0, 0);
}

// A clock whose settings or options window is open stays until that window has closed: the window
// works on it, whoever closed it meanwhile (a script, End task).
void Form1::RemoveClosedClocks() {
    const auto goes = [this](const std::unique_ptr<ExtraClock>& clock) {
        return clock->Closed() && clock.get() != inUse_;
    };
    for (auto& clock : extraClocks_) {
        if (goes(clock)) std::erase(steppedAside_, clock->Number());
    }
    extraClocks_.erase(std::remove_if(extraClocks_.begin(), extraClocks_.end(), goes), extraClocks_.end());
}

bool Form1::ClosedMeanwhile(ExtraClock& clock) {
    if (!clock.Closed()) return false;
    PostMessageW(Handle(), kRemoveClosedClocks, 0, 0);
    return true;
}

void Form1::ShowExtraClocks(bool show) {
    for (auto& clock : extraClocks_) ShowWindow(clock->Handle(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void Form1::SaveExtraClocks() {
    for (auto& clock : extraClocks_) CarryOn("Form1::SaveExtraClocks", [&] { clock->SavePlace(); });
}

bool Form1::HideAllInTray() {
    if (!minimizedToTray_ && CanHideInTray()) MinimiseIntoTray();
    return minimizedToTray_;
}

void Form1::OpenSettingsFor(ExtraClock& clock) {
    if (closing_ || optionsOpen_) return;
    optionsOpen_ = true;
    ClearTopMost(clock.Handle());
    inUse_ = &clock;
    CarryOn("Form1::OpenSettingsFor", [&] {
        Form2 settings(clock.Store(), clock.Face(), services_.report, services_.chooseColor, services_.dialogError);
        settings.StartsWithWindowsIn(store_);  // the program's, not this clock's
        settings.ShowModal(clock.Handle());
    });
    inUse_ = nullptr;
    optionsOpen_ = false;
    if (ClosedMeanwhile(clock)) return;
    const bool onTop = CarryOnOr("Form1::OpenSettingsFor", false,
                                 [&] { return StoredSwitchIsOn(clock.Store().ReadSetting(keys::kAlwaysOnTop, 0)); });
    if (onTop) SetTopMost(clock.Handle());
}

void Form1::ShowMenuFor(ExtraClock& clock, LPARAM where) { ShowFaceMenu(&clock, where); }

void Form1::CountdownReached(const std::wstring& label) {
    // No wait beside it: the clocks tick on while it shows.
    cSysTray1_.ShowBalloon((label.empty() ? std::wstring(L"A countdown") : label) + L" has reached 0.", kProductName, 0,
                           false);
}

}  // namespace tellurane
