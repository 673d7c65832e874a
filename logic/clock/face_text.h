#pragma once
// The clock face's text: a date-time pattern applied with the user's regional texts.

#include <string>
#include <string_view>

#include "logic/local_time.h"

namespace tellurane {

struct LocaleTexts {
    std::wstring am = L"AM";
    std::wstring pm = L"PM";
    std::wstring timeSeparator = L":";
    std::wstring dateSeparator = L"/";
};

inline constexpr std::wstring_view kTime24 = L"hh:nn:ss";
inline constexpr std::wstring_view kTime12 = L"hh:nn:ss AMPM";
inline constexpr std::wstring_view kDayFirst = L"dd/mm/yyyy";
inline constexpr std::wstring_view kMonthFirst = L"mm/dd/yyyy";

// "hh" hour (12-hour when the pattern holds "AMPM"), "nn" minutes, "ss" seconds, "AMPM" the designator,
// "dd" day, "mm" month, "yyyy" year, ":" and "/" the locale's separators; anything else stands as it is.
std::wstring FormatDateTime(std::wstring_view pattern, const LocalTime& time, const LocaleTexts& locale);

}  // namespace tellurane
