#include "logic/clock/chime.h"

#include "logic/clock/alarm.h"
#include "logic/skin_text.h"
#include "logic/texts.h"

namespace tellurane {
namespace {

constexpr std::int64_t kQuarterHour = std::int64_t{15} * 60'000;

}  // namespace

std::optional<std::pair<int, int>> ParseQuietHours(std::wstring_view text, std::wstring& problem) {
    const std::wstring_view span = skin_text::Trim(text);
    if (span.empty()) return std::nullopt;
    const std::size_t dash = span.find(L'-');
    if (dash != std::wstring_view::npos) {
        const auto from = MinuteOfDayFromText(skin_text::Trim(span.substr(0, dash)));
        const auto to = MinuteOfDayFromText(skin_text::Trim(span.substr(dash + 1)));
        if (from && to) return std::pair(*from, *to);
    }
    problem = Tr(IDS_CHIME_BAD_QUIET, {text});
    return std::nullopt;
}

bool IsQuietMinute(const std::pair<int, int>& quiet, int minuteOfDay) {
    const auto [from, to] = quiet;
    if (from <= to) return minuteOfDay >= from && minuteOfDay < to;
    return minuteOfDay >= from || minuteOfDay < to;  // over midnight
}

std::optional<std::int64_t> NextChime(const Chime& chime, const ZoneRules& zone, std::int64_t afterUtc) {
    if (chime.mode != 1 && chime.mode != 2) return std::nullopt;
    // Every zone's offset is a whole number of quarter hours, so each of the zone's hours and half hours
    // falls on one of UTC's quarters: reading the local clock at each finds them across a change-over too.
    const std::int64_t first = afterUtc - ((afterUtc % kQuarterHour) + kQuarterHour) % kQuarterHour + kQuarterHour;
    for (std::int64_t at = first; at <= afterUtc + kQuarterHour * 4 * 48; at += kQuarterHour) {
        const LocalTime local = ZoneLocalTime(zone, at);
        if (local.minute != 0 && (chime.mode != 2 || local.minute != 30)) continue;
        if (chime.quiet && IsQuietMinute(*chime.quiet, local.hour * 60 + local.minute)) continue;
        return at;
    }
    return std::nullopt;
}

}  // namespace tellurane
