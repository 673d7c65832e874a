#pragma once
// The layouts of the clock and settings windows, and the identifiers of their controls.

#include "logic/window_layout.h"

namespace tellurane {

// Control identifiers, shared by the windows and the tests that drive them.
namespace form1 {
inline constexpr int kText1 = 101;
inline constexpr int kPushButton1 = 102;
inline constexpr unsigned kTimer1IntervalMs = 1000;
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

namespace clock_options {
inline constexpr int kZoneName = 301;
inline constexpr int kZone = 302;
inline constexpr int kLabelName = 303;
inline constexpr int kLabel = 304;
inline constexpr int kTimeName = 305;
inline constexpr int kTimePicture = 306;
inline constexpr int kTimeNote = 307;
inline constexpr int kDateName = 308;
inline constexpr int kDatePicture = 309;
inline constexpr int kDateNote = 310;
inline constexpr int kPreviewName = 311;
inline constexpr int kPreview = 312;
inline constexpr int kCountdownName = 313;
inline constexpr int kCountdown = 314;
inline constexpr int kCountdownNote = 315;
inline constexpr int kStepAside = 316;
inline constexpr int kRemove = 317;
inline constexpr int kClickThrough = 318;
inline constexpr int kClickThroughNote = 319;
inline constexpr int kOk = 1;      // IDOK: Enter presses it
inline constexpr int kCancel = 2;  // IDCANCEL: Esc presses it
}  // namespace clock_options

const WindowLayout& Form1Layout();
const WindowLayout& Form2Layout();
const WindowLayout& ExtraClockLayout();
const WindowLayout& ClockOptionsLayout();

}  // namespace tellurane
