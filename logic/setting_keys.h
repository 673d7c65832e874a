#pragma once
#include <string_view>

namespace tellurane::keys {

inline constexpr std::wstring_view kForm1Top = L"Form1Top";
inline constexpr std::wstring_view kForm1Left = L"Form1Left";
inline constexpr std::wstring_view kForm1Height = L"Form1Height";
inline constexpr std::wstring_view kForm1Width = L"Form1Width";
inline constexpr std::wstring_view kFontColor = L"Font Color";
inline constexpr std::wstring_view kFontSize = L"FontSize";
inline constexpr std::wstring_view kAlwaysOnTop = L"Check1";
inline constexpr std::wstring_view kDayMonthYear = L"Check2";
inline constexpr std::wstring_view kRunAtStartup = L"Check3";
inline constexpr std::wstring_view kShowWeekday = L"Check4";
inline constexpr std::wstring_view kMilitaryTime = L"Check6";

}  // namespace tellurane::keys
