#include "logic/clock/face_text.h"

namespace tellurane {
namespace {

void AppendDigits(std::wstring& text, int value, int width) {
    std::wstring digits = std::to_wstring(value < 0 ? -value : value);
    if (digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), L'0');
    text += digits;
}

}  // namespace

std::wstring FormatDateTime(std::wstring_view pattern, const LocalTime& time, const LocaleTexts& locale) {
    const bool twelveHour = pattern.find(L"AMPM") != std::wstring_view::npos;
    std::wstring text;
    std::size_t at = 0;
    auto take = [&](std::wstring_view token) {
        if (pattern.substr(at, token.size()) != token) return false;
        at += token.size();
        return true;
    };
    while (at < pattern.size()) {
        if (take(L"AMPM")) {
            text += time.hour < 12 ? locale.am : locale.pm;
        } else if (take(L"yyyy")) {
            AppendDigits(text, time.year, 4);
        } else if (take(L"hh")) {
            const int hour = twelveHour ? (time.hour % 12 == 0 ? 12 : time.hour % 12) : time.hour;
            AppendDigits(text, hour, 2);
        } else if (take(L"nn")) {
            AppendDigits(text, time.minute, 2);
        } else if (take(L"ss")) {
            AppendDigits(text, time.second, 2);
        } else if (take(L"dd")) {
            AppendDigits(text, time.day, 2);
        } else if (take(L"mm")) {
            AppendDigits(text, time.month, 2);
        } else if (take(L":")) {
            text += locale.timeSeparator;
        } else if (take(L"/")) {
            text += locale.dateSeparator;
        } else {
            text += pattern[at++];
        }
    }
    return text;
}

}  // namespace tellurane
