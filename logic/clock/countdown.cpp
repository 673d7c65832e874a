#include "logic/clock/countdown.h"

#include <cstdio>

#include "logic/clock/time_zone.h"
#include "logic/texts.h"

namespace tellurane {
namespace {

bool Digits(std::wstring_view text, std::size_t at, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        value = value * 10 + (text[i] - L'0');
    }
    return true;
}

}  // namespace

std::optional<LocalTime> ParseCountdownMoment(std::wstring_view text) {
    // 0123456789012345678
    // YYYY-MM-DDTHH:MM:SS
    if (text.size() != 19 || text[4] != L'-' || text[7] != L'-' || text[10] != L'T' || text[13] != L':' ||
        text[16] != L':') {
        return std::nullopt;
    }
    LocalTime moment;
    if (!Digits(text, 0, 4, moment.year) || !Digits(text, 5, 2, moment.month) || !Digits(text, 8, 2, moment.day) ||
        !Digits(text, 11, 2, moment.hour) || !Digits(text, 14, 2, moment.minute) ||
        !Digits(text, 17, 2, moment.second)) {
        return std::nullopt;
    }
    if (moment.year < 1601 || moment.month < 1 || moment.month > 12 || moment.day < 1 ||
        moment.day > DaysInMonth(moment.year, moment.month) || moment.hour > 23 || moment.minute > 59 ||
        moment.second > 59) {
        return std::nullopt;
    }
    return moment;
}

std::wstring CountdownMomentText(const LocalTime& moment) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d-%02d-%02dT%02d:%02d:%02d", moment.year, moment.month, moment.day, moment.hour,
                  moment.minute, moment.second);
    return text;
}

std::wstring CountdownText(std::int64_t millisecondsLeft) {
    if (millisecondsLeft <= 0) return L"0";
    const std::int64_t seconds = (millisecondsLeft + 999) / 1000;
    const std::int64_t days = seconds / 86400;
    wchar_t clock[16];
    std::swprintf(clock, 16, L"%02d:%02d:%02d", static_cast<int>(seconds % 86400 / 3600),
                  static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
    return days > 0 ? Tr(IDS_COUNTDOWN_DAYS, {std::to_wstring(days), clock}) : std::wstring(clock);
}

}  // namespace tellurane
