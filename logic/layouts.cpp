#include "logic/layouts.h"

#include <algorithm>
#include <array>

namespace tellurane {
namespace {

constexpr FontSpec kArial9Bold{L"Arial", 9.0, kBold};
constexpr FontSpec kFaceFont{L"Arial", 20.25, kBold};
constexpr FontSpec kSettingsButtonFont{L"Arial", 11.25, kBold};
constexpr FontSpec kWindowFont{};

using K = ControlKind;

// The clock windows: their faces read as the clock's own texts do, never mirrored.
// Text1 lies wholly outside the client area: it only holds the focus when the window opens.
constexpr std::array kForm1Controls{
    ControlLayout{L"Text1", K::TextBox, form1::kText1, 0, -3360, -750, 1215, 525, L"Text1", 0, false, kWindowFont,
                  kWindowTextColor, kWhite},
    ControlLayout{L"PushButton1", K::PushButton, form1::kPushButton1, 0, 0, 0, 6840, 765, L"", 1, true, kFaceFont,
                  kButtonTextColor, kWhite},
};

// Frames come before the controls inside them, so those controls lie above the frame.
constexpr std::array kForm2Controls{
    ControlLayout{L"Frame2", K::Frame, form2::kFrame2, 0, 120, 120, 7800, 1020, IDS_SETTINGS_OPTIONS, 0, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Check1", K::CheckBox, form2::kCheck1, form2::kFrame2, 240, 300, 1815, 255,
                  IDS_SETTINGS_ALWAYS_ON_TOP, 1, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Check3", K::CheckBox, form2::kCheck3, form2::kFrame2, 240, 650, 2535, 255,
                  IDS_SETTINGS_RUN_AT_STARTUP, 2, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Frame1", K::Frame, form2::kFrame1, 0, 120, 1200, 7800, 840, IDS_SETTINGS_FONT_SIZE, 3, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Text1", K::TextBox, form2::kText1, form2::kFrame1, 240, 300, 7305, 345, L"20", 4, false,
                  kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"Frame3", K::Frame, form2::kFrame3, 0, 120, 2100, 7800, 840, IDS_SETTINGS_FONT_COLOR, 5, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Picture1", K::PictureBox, form2::kPicture1, form2::kFrame3, 240, 270, 3600, 405, L"", 6, false,
                  kWindowFont, kButtonTextColor, kButtonFaceColor},
    ControlLayout{L"PushButton3", K::PushButton, form2::kPushButton3, form2::kFrame3, 3960, 270, 3600, 405,
                  IDS_SETTINGS_CHANGE, 7, true, kSettingsButtonFont, kButtonTextColor, kWhite},
    ControlLayout{L"Frame4", K::Frame, form2::kFrame4, 0, 120, 3000, 7800, 1410, IDS_SETTINGS_DISPLAY, 8, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Check2", K::CheckBox, form2::kCheck2, form2::kFrame4, 240, 650, 2895, 255,
                  IDS_SETTINGS_DAY_MONTH_YEAR, 9, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Check6", K::CheckBox, form2::kCheck6, form2::kFrame4, 240, 300, 3135, 255,
                  IDS_SETTINGS_MILITARY_TIME, 10, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Check4", K::CheckBox, form2::kCheck4, form2::kFrame4, 240, 1000, 3975, 255,
                  IDS_SETTINGS_SHOW_WEEKDAY, 11, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"PushButton1", K::PushButton, form2::kPushButton1, 0, 120, 4520, 7800, 405, IDS_OK, 12, true,
                  kSettingsButtonFont, kButtonTextColor, kWhite},
};

// A name, then its field; a note under a field says what is wrong with it, or how to write it.
namespace co = clock_options;
constexpr int kNameWidth = 1800, kFieldLeft = 2040, kFieldWidth = 5640, kLineHeight = 255, kBoxHeight = 345;
constexpr std::array kClockOptionsControls{
    ControlLayout{L"ZoneName", K::Label, co::kZoneName, 0, 120, 195, kNameWidth, kLineHeight, IDS_OPTIONS_ZONE, 0,
                  false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Zone", K::DropDownList, co::kZone, 0, kFieldLeft, 150, kFieldWidth, 4500, L"", 1, false,
                  kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"LabelName", K::Label, co::kLabelName, 0, 120, 645, kNameWidth, kLineHeight, IDS_OPTIONS_LABEL, 2,
                  false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Label", K::TextBox, co::kLabel, 0, kFieldLeft, 600, kFieldWidth, kBoxHeight, L"", 3, false,
                  kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"TimeName", K::Label, co::kTimeName, 0, 120, 1095, kNameWidth, kLineHeight, IDS_OPTIONS_TIME_PICTURE,
                  4, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"TimePicture", K::ComboBox, co::kTimePicture, 0, kFieldLeft, 1050, kFieldWidth, 3000, L"", 5, false,
                  kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"TimeNote", K::Label, co::kTimeNote, 0, kFieldLeft, 1425, kFieldWidth, kLineHeight,
                  IDS_OPTIONS_EMPTY_PICTURE, 6, false, kWindowFont, kButtonTextColor, kWhite, true},
    ControlLayout{L"DateName", K::Label, co::kDateName, 0, 120, 1785, kNameWidth, kLineHeight, IDS_OPTIONS_DATE_PICTURE,
                  7, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"DatePicture", K::ComboBox, co::kDatePicture, 0, kFieldLeft, 1740, kFieldWidth, 3000, L"", 8, false,
                  kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"DateNote", K::Label, co::kDateNote, 0, kFieldLeft, 2115, kFieldWidth, kLineHeight,
                  IDS_OPTIONS_EMPTY_PICTURE, 9, false, kWindowFont, kButtonTextColor, kWhite, true},
    ControlLayout{L"PreviewName", K::Label, co::kPreviewName, 0, 120, 2475, kNameWidth, kLineHeight,
                  IDS_OPTIONS_PREVIEW, 10, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Preview", K::Label, co::kPreview, 0, kFieldLeft, 2475, kFieldWidth, kLineHeight, L"", 11, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"CountdownName", K::Label, co::kCountdownName, 0, 120, 2925, kNameWidth, kLineHeight,
                  IDS_OPTIONS_COUNT_DOWN_TO, 12, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Countdown", K::TextBox, co::kCountdown, 0, kFieldLeft, 2880, kFieldWidth, kBoxHeight, L"", 13,
                  false, kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"CountdownDate", K::DatePicker, co::kCountdownDate, 0, kFieldLeft, 3255, 2700, kBoxHeight, L"", 14,
                  false, kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"CountdownTime", K::TimePicker, co::kCountdownTime, 0, 4860, 3255, 2820, kBoxHeight, L"", 15, false,
                  kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"CountdownNote", K::Label, co::kCountdownNote, 0, kFieldLeft, 3705, kFieldWidth, kLineHeight,
                  IDS_OPTIONS_COUNTDOWN_HINT, 16, false, kWindowFont, kButtonTextColor, kWhite, true},
    ControlLayout{L"StepAside", K::CheckBox, co::kStepAside, 0, 120, 4110, 7560, kLineHeight, IDS_OPTIONS_STEP_ASIDE,
                  17, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"ClickThrough", K::CheckBox, co::kClickThrough, 0, 120, 4455, 7560, kLineHeight,
                  IDS_OPTIONS_CLICK_THROUGH, 18, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"ClickThroughNote", K::Label, co::kClickThroughNote, 0, 420, 4740, 7260, 2 * kLineHeight,
                  IDS_OPTIONS_CLICK_THROUGH_NOTE, 19, false, kWindowFont, kButtonTextColor, kWhite, true},
    ControlLayout{L"ChimeName", K::Label, co::kChimeName, 0, 120, 5385, kNameWidth, kLineHeight, IDS_OPTIONS_CHIME, 20,
                  false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Chime", K::DropDownList, co::kChime, 0, kFieldLeft, 5340, 2700, 1500, L"", 21, false, kWindowFont,
                  kWindowTextColor, kWhite},
    ControlLayout{L"Alarms", K::PushButton, co::kAlarms, 0, 5940, 5310, 1740, 405, IDS_OPTIONS_ALARMS, 22, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"QuietName", K::Label, co::kQuietName, 0, 120, 5835, kNameWidth, kLineHeight, IDS_OPTIONS_QUIET, 23,
                  false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Quiet", K::TextBox, co::kQuiet, 0, kFieldLeft, 5790, 1500, kBoxHeight, L"", 24, false, kWindowFont,
                  kWindowTextColor, kWhite},
    ControlLayout{L"QuietNote", K::Label, co::kQuietNote, 0, 3660, 5835, 4020, kLineHeight, L"22:00-07:00", 25, false,
                  kWindowFont, kButtonTextColor, kWhite, true},
    ControlLayout{L"ChimeSoundName", K::Label, co::kChimeSoundName, 0, 120, 6285, kNameWidth, kLineHeight,
                  IDS_OPTIONS_CHIME_SOUND, 26, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"ChimeSound", K::DropDownList, co::kChimeSound, 0, kFieldLeft, 6240, kFieldWidth, 3000, L"", 27,
                  false, kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"Remove", K::PushButton, co::kRemove, 0, 120, 6780, 2400, 405, IDS_OPTIONS_REMOVE, 28, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"OK", K::PushButton, co::kOk, 0, 4200, 6780, 1650, 405, IDS_OK, 29, false, kWindowFont,
                  kButtonTextColor, kWhite},
    ControlLayout{L"Cancel", K::PushButton, co::kCancel, 0, 6030, 6780, 1650, 405, IDS_CANCEL, 30, false, kWindowFont,
                  kButtonTextColor, kWhite},
};

namespace al = alarm_list;
constexpr std::array kAlarmListControls{
    ControlLayout{L"ListName", K::Label, al::kListName, 0, 120, 120, 5760, kLineHeight, IDS_ALARMS_LIST, 0, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"List", K::ListView, al::kList, 0, 120, 420, 5760, 3300, L"", 1, false, kWindowFont,
                  kWindowTextColor, kWhite},
    ControlLayout{L"Add", K::PushButton, al::kAdd, 0, 6000, 420, 1680, 405, IDS_ALARMS_ADD, 2, false, kWindowFont,
                  kButtonTextColor, kWhite},
    ControlLayout{L"Edit", K::PushButton, al::kEdit, 0, 6000, 900, 1680, 405, IDS_ALARMS_EDIT, 3, false, kWindowFont,
                  kButtonTextColor, kWhite},
    ControlLayout{L"Remove", K::PushButton, al::kRemove, 0, 6000, 1380, 1680, 405, IDS_ALARMS_REMOVE, 4, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Close", K::PushButton, al::kClose, 0, 6000, 3315, 1680, 405, IDS_ALARMS_CLOSE, 5, false,
                  kWindowFont, kButtonTextColor, kWhite},
};

// The days' boxes take the user's own short names of the days when the window opens, Monday first.
namespace ae = alarm_edit;
constexpr ControlLayout DayBox(int index) {
    return ControlLayout{L"Day", K::CheckBox, ae::kDay + index, 0,     kFieldLeft + index * 810,
                         645,    780,         kLineHeight,      L"",   4 + index,
                         false,  kWindowFont, kButtonTextColor, kWhite};
}
constexpr std::array kAlarmEditControls{
    ControlLayout{L"TimeName", K::Label, ae::kTimeName, 0, 120, 165, kNameWidth, kLineHeight, IDS_ALARM_EDIT_TIME, 0,
                  false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Time", K::TimePicker, ae::kTime, 0, kFieldLeft, 120, 1800, kBoxHeight, L"", 1, false, kWindowFont,
                  kWindowTextColor, kWhite},
    ControlLayout{L"RepeatsName", K::Label, ae::kRepeatsName, 0, 120, 645, kNameWidth, kLineHeight,
                  IDS_ALARM_EDIT_REPEATS, 2, false, kWindowFont, kButtonTextColor, kWhite},
    DayBox(0),
    DayBox(1),
    DayBox(2),
    DayBox(3),
    DayBox(4),
    DayBox(5),
    DayBox(6),
    ControlLayout{L"OnDate", K::CheckBox, ae::kOnDate, 0, 120, 1095, kNameWidth, kLineHeight, IDS_ALARM_EDIT_ON_DATE,
                  11, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Date", K::DatePicker, ae::kDate, 0, kFieldLeft, 1050, 2400, kBoxHeight, L"", 12, false, kWindowFont,
                  kWindowTextColor, kWhite},
    ControlLayout{L"LabelName", K::Label, ae::kLabelName, 0, 120, 1545, kNameWidth, kLineHeight, IDS_ALARM_EDIT_LABEL,
                  13, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Label", K::TextBox, ae::kLabel, 0, kFieldLeft, 1500, kFieldWidth, kBoxHeight, L"", 14, false,
                  kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"SoundName", K::Label, ae::kSoundName, 0, 120, 1995, kNameWidth, kLineHeight, IDS_ALARM_EDIT_SOUND,
                  15, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Sound", K::DropDownList, ae::kSound, 0, kFieldLeft, 1950, 3900, 3000, L"", 16, false, kWindowFont,
                  kWindowTextColor, kWhite},
    ControlLayout{L"Browse", K::PushButton, ae::kBrowse, 0, 6060, 1920, 1620, 405, IDS_ALARM_EDIT_BROWSE, 17, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"SnoozeName", K::Label, ae::kSnoozeName, 0, 120, 2445, kNameWidth, kLineHeight,
                  IDS_ALARM_EDIT_SNOOZE, 18, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"Snooze", K::TextBox, ae::kSnooze, 0, kFieldLeft, 2400, 900, kBoxHeight, L"10", 19, false,
                  kWindowFont, kWindowTextColor, kWhite},
    ControlLayout{L"On", K::CheckBox, ae::kOn, 0, 120, 2895, 7560, kLineHeight, IDS_ALARM_EDIT_ON, 20, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"OK", K::PushButton, ae::kOk, 0, 4200, 3450, 1650, 405, IDS_OK, 21, false, kWindowFont,
                  kButtonTextColor, kWhite},
    ControlLayout{L"Cancel", K::PushButton, ae::kCancel, 0, 6030, 3450, 1650, 405, IDS_CANCEL, 22, false, kWindowFont,
                  kButtonTextColor, kWhite},
};

// The settings window opens with the caption "Form2" in the clock window's layout too:
// the clock window's load handler replaces it before the window is shown.
constexpr WindowLayout kForm1{L"Tellurane.Form1", L"Form2",       6915, 855, true, true, false, kWhite,
                              kArial9Bold,        kForm1Controls, false};
// Every clock after the first: the same window, a class of its own, so the first is always found by its.
constexpr WindowLayout kExtraClock{L"Tellurane.Clock", L"Tellurane",   6915, 855, true, true, false, kWhite,
                                   kArial9Bold,        kForm1Controls, false};
constexpr WindowLayout kForm2{L"Tellurane.Form2", IDS_SETTINGS_TITLE, 8040, 5025, false, false, false, kWhite,
                              kArial9Bold,        kForm2Controls};

constexpr WindowLayout kClockOptions{
    L"Tellurane.ClockOptions", IDS_OPTIONS_TITLE, 7800, 7320, false, false, false, kWhite, kArial9Bold,
    kClockOptionsControls};
constexpr WindowLayout kAlarmList{L"Tellurane.Alarms", IDS_ALARMS_TITLE,  7800, 3840, false, false, false, kWhite,
                                  kArial9Bold,         kAlarmListControls};
constexpr WindowLayout kAlarmEdit{L"Tellurane.Alarm", IDS_ALARM,         7800, 3975, false, false, false, kWhite,
                                  kArial9Bold,        kAlarmEditControls};

}  // namespace

const WindowLayout& ClockOptionsLayout() { return kClockOptions; }
const WindowLayout& AlarmListLayout() { return kAlarmList; }
const WindowLayout& AlarmEditLayout() { return kAlarmEdit; }
const WindowLayout& Form1Layout() { return kForm1; }
const WindowLayout& Form2Layout() { return kForm2; }
const WindowLayout& ExtraClockLayout() { return kExtraClock; }

}  // namespace tellurane
