#pragma once
// The layouts of the clock and settings windows, and the identifiers of their controls.

#include "logic/window_layout.h"

namespace tellurane {

// Control identifiers, shared by the windows and the tests that drive them.
namespace form1 {
inline constexpr int kText1 = 101;
inline constexpr int kPushButton1 = 102;
inline constexpr unsigned kTimer1IntervalMs = 1000;
inline constexpr std::wstring_view kFaceTooltip = L"Click here for more options";
}  // namespace form1

namespace form2 {
inline constexpr int kFrame2 = 201;
inline constexpr int kCheck1 = 202;
inline constexpr int kCheck3 = 203;
inline constexpr int kFrame1 = 204;
inline constexpr int kText1 = 205;
inline constexpr int kFrame3 = 206;
inline constexpr int kPicture1 = 207;
inline constexpr int kPushButton3 = 208;
inline constexpr int kFrame4 = 209;
inline constexpr int kCheck2 = 210;
inline constexpr int kCheck6 = 211;
inline constexpr int kCheck4 = 212;
inline constexpr int kPushButton1 = 1;  // IDOK: Enter presses it through the dialog manager
}  // namespace form2

const WindowLayout& Form1Layout();
const WindowLayout& Form2Layout();
const WindowLayout& ExtraClockLayout();

}  // namespace tellurane
