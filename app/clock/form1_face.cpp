// The first clock's face of its own (a zone, label, picture or countdown), its tooltip, and what a
// change of Windows' time or zone does to every face.

#include "app/clock/form1.h"

#include <commctrl.h>

#include "logic/clock/tick_schedule.h"
#include "logic/error_report.h"
#include "logic/setting_keys.h"
#include "win32/boundary.h"

namespace tellurane {

void Form1::CreateFaceTooltip() noexcept {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
    std::wstring text(form1::kFaceTooltip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(PushButton1().Handle());
    tool.lpszText = text.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// A zone, label, picture or countdown of its own: then the first clock shows what the others show.
bool Form1::HasOwnFace() const {
    for (std::wstring_view key : {clock_keys::kTimeZone, clock_keys::kLabel, clock_keys::kTimePicture,
                                  clock_keys::kDatePicture, clock_keys::kCountdown}) {
        if (!store_.CachedText(key).empty()) return true;
    }
    return false;
}

void Form1::ShowOwnFace(ErrorTrap& trap) {
    OwnFaceSettings settings;
    settings.zone = store_.CachedText(clock_keys::kTimeZone);
    settings.countdown = store_.CachedText(clock_keys::kCountdown);
    settings.look.label = store_.CachedText(clock_keys::kLabel);
    settings.look.timePicture = store_.CachedText(clock_keys::kTimePicture);
    settings.look.datePicture = store_.CachedText(clock_keys::kDatePicture);
    settings.look.military = trap.If(0, [&] { return StoredSwitchIsOn(TickSetting(keys::kMilitaryTime)); });
    settings.look.dayFirst = trap.If(0, [&] { return StoredSwitchIsOn(TickSetting(keys::kDayMonthYear)); });
    settings.look.weekday = trap.If(0, [&] { return StoredSwitchIsOn(TickSetting(keys::kShowWeekday)); });
    const std::wstring label = settings.look.label;
    trap.Run([&] {
        const ClockReading now = services_.clock();
        PushButton1().SetCaption(ownFace_.Compose(std::move(settings), now, [this](const std::wstring& problem) {
            // Once per bad value, not once a second.
            if (problem == ownFaceReported_) return;
            ownFaceReported_ = problem;
            ReportTickFailure(problem, location::kForm1Tick, 0);
        }));
        shownSecond_ = now.utcMilliseconds / 1000;
        if (ownFace_.ReachedZero()) CountdownReached(label);
    });
}

// The time was set or the zone changed (by hand, by Windows' automatic zone, on a trip): the zones' rules
// read so far may be old, and every face shows the change now, not at the next second.
void Form1::OnTimeChanged() noexcept {
    CarryOn("Form1::OnTimeChanged", [&] {
        ownFace_.ForgetRules();
        for (auto& clock : extraClocks_) clock->ForgetZoneRules();
        if (!timer1_.Enabled()) return;
        Timer1_Timer();
        TickExtraClocks(services_.clock());
        timer1_.Reschedule(PlanTick(services_.clock().utcMilliseconds, shownSecond_).delayMilliseconds);
    });
}

}  // namespace tellurane
