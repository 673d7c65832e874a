// The settings window over a clock window in the test process: what it shows, and what each
// control writes to the store and to the clock face.

#include <gtest/gtest.h>

#include "app/settings/form2.h"
#include "app/settings/reg_stuff.h"
#include "logic/setting_keys.h"
#include "logic/paths.h"
#include "tests/support/cursor_file.h"
#include "tests/support/desktop.h"
#include "tests/app/clock/clock_fixture.h"

namespace tellurane {
namespace {

class SettingsWindow : public ClockWindowTest {
protected:
    void TearDown() override {
        settings_.reset();
        RegStuff::RemoveRunEntry(L"tellurane_app_tests.exe");
        RegStuff::SetOthersCanChangeCheck(previousCheck_);
    }
    // Taken for an installed copy, which only administrators change: the machine-wide entry.
    RegStuff::ProgramPathCheck previousCheck_ = RegStuff::SetOthersCanChangeCheck(
        [](const std::wstring&) { return false; });

    Form2& Open() {
        if (!form_) LoadClock();
        settings_ = std::make_unique<Form2>(store_, form_->PushButton1(), Services().report, &ChooseColorStandIn);
        EXPECT_TRUE(settings_->Open());
        return *settings_;
    }
    void Click(int id) { SendMessageW(settings_->Check(id), BM_CLICK, 0, 0); }

    std::unique_ptr<Form2> settings_;
};

TEST_F(SettingsWindow, AFirstOpeningShowsTheDefaultsAndWritesNothing) {
    Form2& form = Open();
    for (int id : {form2::kCheck1, form2::kCheck2, form2::kCheck3, form2::kCheck4, form2::kCheck6}) {
        EXPECT_EQ(form.CheckValue(id), BST_UNCHECKED);
    }
    EXPECT_EQ(form.Text1(), L"20");
    EXPECT_EQ(form.ControlBackColor(form2::kPicture1), form_->PushButton1().ForeColor());
    EXPECT_EQ(form.BackColor(), kButtonFaceColor);
    EXPECT_EQ(form.ControlBackColor(form2::kFrame4), kButtonFaceColor);
    for (auto key : {keys::kAlwaysOnTop, keys::kDayMonthYear, keys::kRunAtStartup, keys::kShowWeekday,
                     keys::kMilitaryTime, keys::kFontSize}) {
        EXPECT_EQ(Stored(key), L"-999");
    }
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(SettingsWindow, StoredStatesAreShownAndWrittenBackAGreyTwoIncluded) {
    LoadClock();
    Set(keys::kAlwaysOnTop, L"2");
    Set(keys::kShowWeekday, L"1");
    Set(keys::kFontSize, L"not a size");  // written by another program
    Form2& form = Open();
    EXPECT_EQ(form.CheckValue(form2::kCheck1), BST_INDETERMINATE);
    EXPECT_EQ(form.CheckValue(form2::kCheck4), BST_CHECKED);
    EXPECT_EQ(Stored(keys::kAlwaysOnTop), L"2");
    EXPECT_EQ(form.Text1(), L"not a size");  // shown as stored, replaced only at the close
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(SettingsWindow, AStoredStateThatIsNoStateIsReportedAndTheBoxStaysCleared) {
    Set(keys::kAlwaysOnTop, L"5");
    Set(keys::kDayMonthYear, L"x");
    Set(keys::kMilitaryTime, L"1");
    Form2& form = Open();
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[0].location, L"in Vantorel2021/08/31.Form2.Form_Load ");
    EXPECT_EQ(boxes_[0].line, 108);
    EXPECT_EQ(boxes_[1].line, 110);
    EXPECT_EQ(form.CheckValue(form2::kCheck1), BST_UNCHECKED);
    EXPECT_EQ(form.CheckValue(form2::kCheck6), BST_CHECKED);  // loading went on
}

TEST_F(SettingsWindow, EachClickWritesItsSwitchAtOnceAndTheNextTickShowsIt) {
    Form2& form = Open();
    Click(form2::kCheck6);
    EXPECT_EQ(Stored(keys::kMilitaryTime), L"1");
    form_->Timer1_Timer();
    EXPECT_EQ(form_->PushButton1().Caption(), L"21:05:09 12/06/2026");
    Click(form2::kCheck6);
    EXPECT_EQ(Stored(keys::kMilitaryTime), L"0");
    Click(form2::kCheck2);
    Click(form2::kCheck4);
    Click(form2::kCheck1);
    EXPECT_EQ(Stored(keys::kDayMonthYear), L"1");
    EXPECT_EQ(Stored(keys::kShowWeekday), L"1");
    EXPECT_EQ(Stored(keys::kAlwaysOnTop), L"1");
    EXPECT_EQ(form.CheckValue(form2::kCheck1), BST_CHECKED);
    // Always on top waits for the window to close.
    EXPECT_FALSE(GetWindowLongW(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(SettingsWindow, AClickOnAGreyBoxSetsIt) {
    Set(keys::kDayMonthYear, L"2");
    Form2& form = Open();
    Click(form2::kCheck2);
    EXPECT_EQ(form.CheckValue(form2::kCheck2), BST_CHECKED);
    EXPECT_EQ(Stored(keys::kDayMonthYear), L"1");
}

TEST_F(SettingsWindow, AChosenColourGoesToTheFaceTheSwatchAndTheStore) {
    Form2& form = Open();
    g_chosenColour = RGB(255, 0, 0);
    form.PushButton3_Click();
    EXPECT_EQ(Stored(keys::kFontColor), L"255");
    EXPECT_EQ(form_->PushButton1().ForeColor(), 255u);
    EXPECT_EQ(form.ControlBackColor(form2::kPicture1), 255u);
    g_chosenColour = RGB(0, 0, 255);
    form.PushButton3_Click();
    EXPECT_EQ(Stored(keys::kFontColor), L"16711680");
    EXPECT_EQ(g_dialogFlags & CC_RGBINIT, 0u);  // the dialog keeps its default options
}

TEST_F(SettingsWindow, CancellingTheColourDialogWritesTheSameColourAgain) {
    Set(keys::kFontColor, L"32768");
    LoadClock();
    Form2& form = Open();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, store_.KeyPath().c_str(), L"Font Color");
    g_chosenColour = -1;
    form.PushButton3_Click();
    EXPECT_EQ(Stored(keys::kFontColor), L"32768");
    EXPECT_EQ(form_->PushButton1().ForeColor(), 32768u);
    EXPECT_TRUE(boxes_.empty());

    // A skin's text colour on the face, with nothing stored: a cancel stores nothing (a skin never
    // changes a stored setting), and a chosen colour is stored as ever.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, store_.KeyPath().c_str(), L"Font Color");
    form.skinTextColor = 32768u;
    form.PushButton3_Click();
    EXPECT_FALSE(store_.HasSetting(keys::kFontColor));
    g_chosenColour = 255;
    form.PushButton3_Click();
    EXPECT_EQ(Stored(keys::kFontColor), L"255");
}

TEST_F(SettingsWindow, OkWithASizeThatIsNoNumberStoresAndAppliesTwenty) {
    LoadClock();
    for (const wchar_t* typed : {L"abc", L""}) {  // a cleared box too
        Set(keys::kFontSize, L"36");
        form_->PushButton1().SetFontSize(36);
        Form2& form = Open();
        form.SetText1(typed);
        form.PushButton1_Click();
        EXPECT_EQ(Stored(keys::kFontSize), L"20") << typed;
        EXPECT_EQ(form_->PushButton1().FontSize(), 20) << typed;
        EXPECT_FALSE(IsWindow(form.Handle()));
    }
}

TEST_F(SettingsWindow, TheCloseBoxKeepsTheSizeAsTypedAndAppliesIt) {
    Form2& form = Open();
    form.SetText1(L" 36 ");
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Stored(keys::kFontSize), L" 36 ");
    EXPECT_EQ(form_->PushButton1().FontSize(), 36);
}

TEST_F(SettingsWindow, EnterPressesOk) {
    Form2& form = Open();
    EXPECT_EQ(LOWORD(SendMessageW(form.Handle(), DM_GETDEFID, 0, 0)), form2::kPushButton1);
    SetFocus(form.Control(form2::kText1));
    SendMessageW(form.Control(form2::kText1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"30"));
    MSG enter{form.Control(form2::kText1), WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(IsDialogMessageW(form.Handle(), &enter));
    EXPECT_EQ(Stored(keys::kFontSize), L"30");
}

TEST_F(SettingsWindow, TheHandShowsOverTheButtonsAndTheArrowOverTheRest) {
    Form2& form = Open();
    SendMessageW(form.PushButton3().Handle(), WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(form.Pointer(), MousePointer::Custom);
    SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(form.Pointer(), MousePointer::Default);
}

TEST_F(SettingsWindow, TickingRunAtStartupWritesTheQuotedPathOfThisProgram) {
    Form2& form = Open();
    Click(form2::kCheck3);
    EXPECT_EQ(Stored(keys::kRunAtStartup), L"1");
    wchar_t data[MAX_PATH + 8] = {};
    DWORD size = sizeof data;
    ASSERT_EQ(
        RegGetValueW(HKEY_LOCAL_MACHINE, kRunSubKey, L"tellurane_app_tests.exe", RRF_RT_REG_SZ, nullptr, data, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(data), L"\"" + ProgramPath() + L"\"");
    Click(form2::kCheck3);
    EXPECT_EQ(Stored(keys::kRunAtStartup), L"0");
    EXPECT_NE(RegGetValueW(HKEY_LOCAL_MACHINE, kRunSubKey, L"tellurane_app_tests.exe", RRF_RT_REG_SZ, nullptr, nullptr,
                           nullptr),
              ERROR_SUCCESS);
    (void)form;

    // Over a clock after the first the switch is still the program's: kept with the first clock's settings.
    const SettingsStore clock = store_.Below(L"Clocks\\1");
    settings_ = std::make_unique<Form2>(clock, form_->PushButton1(), Services().report, &ChooseColorStandIn);
    settings_->StartsWithWindowsIn(store_);
    ASSERT_TRUE(settings_->Open());
    Click(form2::kCheck3);
    EXPECT_EQ(Stored(keys::kRunAtStartup), L"1");
    EXPECT_FALSE(clock.HasSetting(keys::kRunAtStartup));
    Click(form2::kCheck3);
    EXPECT_EQ(Stored(keys::kRunAtStartup), L"0");
}

TEST_F(SettingsWindow, AStoredTickForRunAtStartupWritesTheEntryAgainAtEachOpening) {
    Set(keys::kRunAtStartup, L"1");
    for (int opening = 0; opening < 2; ++opening) {
        RegStuff::RemoveRunEntry(L"tellurane_app_tests.exe");  // gone since, as another tool might do
        Open();
        EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, kRunSubKey, L"tellurane_app_tests.exe", RRF_RT_REG_SZ, nullptr,
                               nullptr, nullptr),
                  ERROR_SUCCESS)
            << opening;
        settings_.reset();
    }
}

// The user's number format for one test: the values Windows keeps under Control Panel\International,
// put back as they were.
class RegionalSettings {
public:
    RegionalSettings(const wchar_t* decimal, const wchar_t* group) {
        RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\International", 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
        Swap(L"sDecimal", decimal, decimal_);
        Swap(L"sThousand", group, group_);
    }
    ~RegionalSettings() {
        std::wstring ignored;
        Swap(L"sDecimal", decimal_.c_str(), ignored);
        Swap(L"sThousand", group_.c_str(), ignored);
        RegCloseKey(key_);
    }

private:
    void Swap(const wchar_t* name, const wchar_t* value, std::wstring& old) {
        wchar_t text[16] = {};
        DWORD size = sizeof text - sizeof(wchar_t);
        RegGetValueW(key_, nullptr, name, RRF_RT_REG_SZ, nullptr, text, &size);
        old = text;
        RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(wcslen(value) + 1) * DWORD{sizeof(wchar_t)});
    }
    HKEY key_ = nullptr;
    std::wstring decimal_, group_;
};

// A fractional size written under English settings ("24.5") is read as 24.5 under German ones, where
// "." groups thousands; what a German user types ("26,5") is stored so that English settings read it too.
TEST_F(SettingsWindow, AFractionalSizeSurvivesAChangeOfNumberFormat) {
    Set(keys::kFontSize, L"24.5");
    const RegionalSettings german(L",", L".");
    ASSERT_EQ(UserNumberFormat().decimalSeparator, L",") << "the regional settings did not change";
    Form2& form = Open();
    EXPECT_EQ(form_->PushButton1().FontSize(), 24.5f);
    EXPECT_EQ(form.Text1(), L"24,5");
    form.SetText1(L"26,5");
    form.PushButton1_Click();
    EXPECT_EQ(Stored(keys::kFontSize), L"26.5");
    EXPECT_EQ(form_->PushButton1().FontSize(), 26.5f);
    EXPECT_TRUE(boxes_.empty());
}

// Windows: a cursor must not be destroyed while it is on the screen (DestroyCursor), and the pointer can
// rest on the settings as they close. Wine's GetGuiResources answers 0, so the loads are counted here.
int g_cursorLoads = 0;
HCURSOR CountedCursorLoad(const wchar_t* path) {
    ++g_cursorLoads;
    return static_cast<HCURSOR>(LoadImageW(nullptr, path, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
}

TEST_F(SettingsWindow, TheHandCursorIsLoadedOnceAndOutlivesEveryWindowThatShowedIt) {
    const std::wstring file = InFolder(ProgramFolder(), kCursorFile);
    support::WriteCursorFile(file);
    const CursorFileLoader previous = SetCursorFileLoader(&CountedCursorLoad);
    LoadClock();
    for (int opening = 0; opening < 50; ++opening) {
        Open();
        settings_.reset();
    }
    SetCursorFileLoader(previous);
    DeleteFileW(file.c_str());
    EXPECT_EQ(g_cursorLoads, 1);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(LoadCursorFile(file), &info)) << "the cursor was destroyed";
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
}  // namespace tellurane
