#include "clock/form1.h"

#include "clock/face_text.h"
#include "clock/tick_schedule.h"
#include "core/app_title.h"
#include "core/error_report.h"
#include "core/setting_keys.h"

namespace tellurane {

Form1::Form1(const SettingsStore& store, ErrorTrap::Reporter report, ClockFunction clock)
    : Form(Form1Layout()), store_(store), report_(std::move(report)), clock_(std::move(clock)) {
    timer1_.onTick = [this] { Timer1_Fired(); };
}

bool Form1::Load() {
    if (!Create()) return false;
    Form_Load();
    timer1_.Attach(Handle());
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
    // The first tick comes at the start of the next second, like every other.
    timer1_.Reschedule(PlanTick(clock_().utcMilliseconds, std::nullopt).delayMilliseconds);
    return true;
}

void Form1::Form_Load() {
    ErrorTrap trap(location::kForm1Load, report_);
    trap.Run(136, [this] {
        SetCaption(kProductName);
        SetIcons(ProgramIcon(false), ProgramIcon(true));
        SetApplicationTitle();
    });
}

void Form1::Timer1_Fired() {
    const TickPlan plan = PlanTick(clock_().utcMilliseconds, shownSecond_);
    if (plan.tickNow) Timer1_Timer();
    if (!timer1_.Enabled()) return;  // the window closed while a box of this tick was open
    timer1_.Reschedule(PlanTick(clock_().utcMilliseconds, shownSecond_).delayMilliseconds);
}

void Form1::Timer1_Timer() {
    // The tick's steps carry no line numbers: every box says line 0. A setting whose text does
    // not convert counts as on, as a failed if-test always does.
    ErrorTrap trap(location::kForm1Tick,
                   [this](std::wstring_view description, std::wstring_view where, int line) {
                       ReportTickFailure(description, where, line);
                   });
    std::wstring pattern;
    const bool military = trap.If(0, [&] { return StoredSwitchIsOn(store_.ReadSetting(keys::kMilitaryTime, 0)); });
    trap.Run([&] { pattern = military ? kTime24 : kTime12; });
    trap.Run([&] { pattern += L" "; });
    const bool dayFirst = trap.If(0, [&] { return StoredSwitchIsOn(store_.ReadSetting(keys::kDayMonthYear, 0)); });
    trap.Run([&] { pattern += dayFirst ? kDayFirst : kMonthFirst; });
    trap.Run([&] {
        const ClockReading now = clock_();
        PushButton1().SetCaption(FormatDateTime(pattern, now.local, UserLocaleTexts()));
        shownSecond_ = now.utcMilliseconds / 1000;
    });
    if (!trap.If(0, [&] { return StoredSwitchIsOn(store_.ReadSetting(keys::kShowWeekday, 0)); })) return;
    trap.Run([&] {
        const ClockReading now = clock_();
        PushButton1().SetCaption(PushButton1().Caption() + L" " + DayOfWeekName(now.local));
    });
}

// Ticks go on while a box of an earlier tick is open, so that the clock keeps running; they
// never open a second box, or a bad setting would pile up one box a second.
void Form1::ReportTickFailure(std::wstring_view description, std::wstring_view location, int line) {
    if (tickBoxOpen_) return;
    tickBoxOpen_ = true;
    try {
        report_(description, location, line);
    } catch (...) {
    }
    tickBoxOpen_ = false;
}

bool Form1::OnClose() noexcept {
    Form_QueryUnload();
    Form_Unload();
    return true;
}

void Form1::Form_QueryUnload() { timer1_.SetEnabled(false); }

void Form1::Form_Unload() {
    // Ends the program: every loop, nested ones included, stops at the quit message.
    DestroyWindow(Handle());
    PostQuitMessage(0);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_TIMER && wParam == timer1_.Id()) {
        timer1_.Tick();
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace tellurane
