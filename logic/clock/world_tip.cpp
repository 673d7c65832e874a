#include "logic/clock/world_tip.h"

#include <algorithm>
#include <cstdint>

#include "logic/clock/time_zone.h"
#include "logic/skin_text.h"
#include "logic/texts.h"

namespace tellurane {
namespace {

std::wstring TipLine(const TipClock& clock) {
    if (clock.dayDelta == 0) return clock.label.empty() ? clock.time : clock.label + L" " + clock.time;
    // Without a label the time stands alone, with the blank the text sets before it gone.
    const TextId day = clock.dayDelta > 0 ? IDS_TIP_TOMORROW : IDS_TIP_YESTERDAY;
    return std::wstring(skin_text::Trim(Tr(day, {clock.label, clock.time})));
}

std::int64_t DayNumber(const LocalTime& time) {
    LocalTime midnight;
    midnight.year = time.year;
    midnight.month = time.month;
    midnight.day = time.day;
    return MillisecondsFromCivil(midnight) / 86'400'000;
}

}  // namespace

std::wstring WorldTip(const std::vector<TipClock>& clocks, std::size_t limit) {
    std::vector<std::wstring> lines;
    lines.reserve(clocks.size());
    for (const TipClock& clock : clocks) lines.push_back(TipLine(clock));
    // The longest run of whole lines from the top that leaves room for the count of the rest.
    for (std::size_t kept = lines.size();; --kept) {
        std::wstring tip;
        for (std::size_t i = 0; i < kept; ++i) tip += (i == 0 ? L"" : L"\n") + lines[i];
        if (kept < lines.size()) {
            tip += (kept == 0 ? L"" : L"\n") + Tr(IDS_TIP_MORE, {std::to_wstring(lines.size() - kept)});
        }
        if (tip.size() <= limit || kept == 0) return tip.substr(0, limit);
    }
}

std::wstring ZoneDistanceText(int minutesAhead) {
    if (minutesAhead == 0) return Tr(IDS_ZONE_SAME);
    const int distance = minutesAhead < 0 ? -minutesAhead : minutesAhead;
    const std::wstring hours = std::to_wstring(distance / 60), minutes = std::to_wstring(distance % 60);
    std::wstring span;
    if (distance % 60 == 0)
        span = Tr(IDS_SPAN_HOURS, {hours});
    else if (distance < 60)
        span = Tr(IDS_SPAN_MINUTES, {minutes});
    else
        span = Tr(IDS_SPAN_HOURS_MINUTES, {hours, minutes});
    return Tr(minutesAhead > 0 ? IDS_ZONE_AHEAD : IDS_ZONE_BEHIND, {span});
}

int DayDelta(const LocalTime& there, const LocalTime& here) {
    return static_cast<int>(std::clamp<std::int64_t>(DayNumber(there) - DayNumber(here), -1, 1));
}

}  // namespace tellurane
