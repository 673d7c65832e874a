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
inline constexpr int kChimeName = 320;
inline constexpr int kChime = 321;
inline constexpr int kAlarms = 322;
inline constexpr int kQuietName = 323;
inline constexpr int kQuiet = 324;
inline constexpr int kQuietNote = 325;
inline constexpr int kChimeSoundName = 326;
inline constexpr int kChimeSound = 327;
inline constexpr int kCountdownDate = 328;
inline constexpr int kCountdownTime = 329;
inline constexpr int kOk = 1;      // IDOK: Enter presses it
inline constexpr int kCancel = 2;  // IDCANCEL: Esc presses it
}  // namespace clock_options

// A clock's alarms: the list, and one alarm.
namespace alarm_list {
inline constexpr int kListName = 401;
inline constexpr int kList = 402;
inline constexpr int kAdd = 403;
inline constexpr int kEdit = 404;
inline constexpr int kRemove = 405;
inline constexpr int kClose = 2;  // IDCANCEL: Esc presses it
}  // namespace alarm_list

namespace alarm_edit {
inline constexpr int kTimeName = 501;
inline constexpr int kTime = 502;
inline constexpr int kRepeatsName = 503;
inline constexpr int kDay = 504;  // + 0 Monday ... + 6 Sunday
inline constexpr int kOnDate = 511;
inline constexpr int kDate = 512;
inline constexpr int kLabelName = 513;
inline constexpr int kLabel = 514;
inline constexpr int kSoundName = 515;
inline constexpr int kSound = 516;
inline constexpr int kBrowse = 517;
inline constexpr int kSnoozeName = 518;
inline constexpr int kSnooze = 519;
inline constexpr int kOn = 520;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
}  // namespace alarm_edit

const WindowLayout& AlarmListLayout();
const WindowLayout& AlarmEditLayout();
const WindowLayout& Form1Layout();
const WindowLayout& Form2Layout();
const WindowLayout& ExtraClockLayout();
const WindowLayout& ClockOptionsLayout();

}  // namespace tellurane
