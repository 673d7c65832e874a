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
    ControlLayout{L"Frame3", K::Frame, form2::kFrame3, 0, 120, 2100, 7800, 840, IDS_SETTINGS_FONT_SIZE, 5, false,
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
    ControlLayout{L"CountdownNote", K::Label, co::kCountdownNote, 0, kFieldLeft, 3255, kFieldWidth, kLineHeight,
                  IDS_OPTIONS_COUNTDOWN_HINT, 14, false, kWindowFont, kButtonTextColor, kWhite, true},
    ControlLayout{L"StepAside", K::CheckBox, co::kStepAside, 0, 120, 3660, 7560, kLineHeight, IDS_OPTIONS_STEP_ASIDE,
                  15, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"ClickThrough", K::CheckBox, co::kClickThrough, 0, 120, 4005, 7560, kLineHeight,
                  IDS_OPTIONS_CLICK_THROUGH, 16, false, kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"ClickThroughNote", K::Label, co::kClickThroughNote, 0, 420, 4290, 7260, 2 * kLineHeight,
                  IDS_OPTIONS_CLICK_THROUGH_NOTE, 17, false, kWindowFont, kButtonTextColor, kWhite, true},
    ControlLayout{L"Remove", K::PushButton, co::kRemove, 0, 120, 4860, 2400, 405, IDS_OPTIONS_REMOVE, 18, false,
                  kWindowFont, kButtonTextColor, kWhite},
    ControlLayout{L"OK", K::PushButton, co::kOk, 0, 4200, 4860, 1650, 405, IDS_OK, 19, false, kWindowFont,
                  kButtonTextColor, kWhite},
    ControlLayout{L"Cancel", K::PushButton, co::kCancel, 0, 6030, 4860, 1650, 405, IDS_CANCEL, 20, false, kWindowFont,
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
    L"Tellurane.ClockOptions", IDS_OPTIONS_TITLE, 7800, 5400, false, false, false, kWhite, kArial9Bold,
    kClockOptionsControls};

}  // namespace

const WindowLayout& ClockOptionsLayout() { return kClockOptions; }
const WindowLayout& Form1Layout() { return kForm1; }
const WindowLayout& Form2Layout() { return kForm2; }
const WindowLayout& ExtraClockLayout() { return kExtraClock; }

}  // namespace tellurane
