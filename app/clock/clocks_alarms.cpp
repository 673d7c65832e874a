// The alarms of every clock, as the host of the clocks sees them: the bell, the face's menu, the answers.

#include "app/clock/clocks.h"
#include "logic/texts.h"
#include "win32/boundary.h"

namespace tellurane {

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

// The clock's next alarm, and a way to turn that one ring off.
void Clocks::AddAlarmItems(HMENU menu, const ClockWindow& clock) {
    const std::optional<AlarmBell::NextAlarm> next = bell_ ? CarryOnOr("Clocks::AddAlarmItems",
                                                                       std::optional<AlarmBell::NextAlarm>{},
                                                                       [&] { return bell_->Next(clock.Number()); })
                                                           : std::nullopt;
    if (!next) {
        AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, Tr(IDS_MENU_NO_ALARM).c_str());
        return;
    }
    std::wstring text = Tr(IDS_MENU_NEXT_ALARM, {next->when, next->label});
    // A label is the user's text: an & in it is shown, not taken for an access key.
    for (std::size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at + 2))
        text.insert(at, 1, L'&');
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, text.c_str());
    AppendMenuW(menu, MF_STRING, kMenuSkipAlarm, Tr(IDS_MENU_SKIP_ALARM).c_str());
}

}  // namespace tellurane
