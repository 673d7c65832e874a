// The settings, opened by clicking the clock face, changed one by one as a user changes them.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/settings/reg_stuff.h"
#include "logic/paths.h"
#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"
#include "tests/support/read_only_run_key.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

class SettingsByClick : public RunningClock {
protected:
    void SetUp() override {
        Start();
        settings_ = OpenSettingsByClickingTheFace();
        ASSERT_TRUE(settings_) << "clicking the face opened no settings";
    }
    void TearDown() override {
        const std::wstring name = L"Tellurane.exe";
        RegStuff::RemoveRunEntry(name);
    }
    HWND Item(int id) const { return GetDlgItem(settings_, id); }
    bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // Presses "Change" and returns the colour dialog once it shows.
    HWND OpenColourDialog() const {
        PostClick(Item(form2::kPushButton3));
        HWND dialog = nullptr;
        WaitUntil(
            [&] {
                dialog = FindWindowW(L"#32770", L"Color");
                return dialog != nullptr && IsWindowVisible(dialog);
            },
            5s);
        Sleep(300);  // the dialog fills its fields while it opens: after that, they are the user's
        return dialog;
    }
    void CloseSettings() {
        PostMessageW(settings_, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings_); }, 5s));
        // A click sent with SendInput from this test within about a second of the close is sometimes
        // lost under Wine (clicks from the X server in that second are not): wait as a user would.
        Sleep(1000);
    }

    HWND settings_ = nullptr;
};

TEST_F(SettingsByClick, OpensOnceOverTheClockWhichKeepsTicking) {
    Screenshot(L"10-settings-open");
    EXPECT_FALSE(IsWindowEnabled(Window()));  // modal over the clock
    EXPECT_EQ(GetWindow(settings_, GW_OWNER), Window());
    // Owned, and still with its own taskbar button.
    EXPECT_TRUE(GetWindowLongPtrW(settings_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(MonitorFromWindow(settings_, MONITOR_DEFAULTTONULL), MonitorFromWindow(Window(), MONITOR_DEFAULTTONULL));
    const std::wstring before = FaceText();
    EXPECT_TRUE(WaitUntil([&] { return FaceText() != before; }, support::kStateTimeout));
    // Another click on the face opens no second settings window.
    RECT face;
    GetWindowRect(Face(), &face);
    support::ClickAt({face.left + 10, (face.top + face.bottom) / 2});
    Sleep(500);
    int count = 0;
    for (HWND window : support::TopLevelWindowsOf(clock_->ProcessId())) {
        count += support::ClassOf(window) == kSettingsClass && IsWindowVisible(window);
    }
    EXPECT_EQ(count, 1);
    // The tray icon brings the settings to the front, not the clock they keep disabled.
    ASSERT_TRUE(support::WaitForTrayIcons(1)) << support::TrayIconsShown().size() << " icons, not the clock's one";
    SetForegroundWindow(FindWindowW(L"Shell_TrayWnd", nullptr));
    const RECT icon = support::TrayIconsShown().front();
    support::ClickAt({(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == settings_; }, support::kStateTimeout));
}

TEST_F(SettingsByClick, MilitaryTimeAndTheWeekdayShowOnTheFaceWhileTheSettingsAreOpen) {
    ASSERT_NE(FaceText().find(L"M "), std::wstring::npos);  // 12-hour, with AM or PM
    PostClick(Item(form2::kCheck6));
    ASSERT_TRUE(WaitUntil([&] { return Stored(keys::kMilitaryTime) == L"1"; }, 2s));
    EXPECT_TRUE(WaitUntil([&] { return FaceText().find(L"M ") == std::wstring::npos; }, 1500ms))
        << testing::PrintToString(FaceText());
    // "Show day of week": the next tick appends today's name.
    wchar_t today[64] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, L"dddd", today, 64, nullptr);
    ASSERT_EQ(FaceText().find(today), std::wstring::npos);
    PostClick(Item(form2::kCheck4));
    ASSERT_TRUE(WaitUntil([&] { return Stored(keys::kShowWeekday) == L"1"; }, 2s));
    EXPECT_TRUE(WaitUntil([&] { return FaceText().ends_with(std::wstring(L" ") + today); }, 1500ms))
        << testing::PrintToString(FaceText());
    EXPECT_TRUE(IsWindow(settings_));
    Screenshot(L"11-military-time-while-open");
}

TEST_F(SettingsByClick, AFractionalSizeIsStoredAsTypedAndComesBackAtTheNextStart) {
    SetWindowTextW(Item(form2::kText1), L"24.5");
    PostClick(Item(form2::kPushButton1));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings_); }, 5s));
    EXPECT_EQ(Stored(keys::kFontSize), L"24.5");
    ASSERT_TRUE(CloseWithin(3s));
    Start();
    settings_ = OpenSettingsByClickingTheFace();
    ASSERT_TRUE(settings_);
    EXPECT_EQ(support::WindowText(Item(form2::kText1)), L"24.5");
    EXPECT_TRUE(Boxes().empty());  // read back as a number of points, without complaint
}

TEST_F(SettingsByClick, ASizeThatIsNoNumberBecomesTwentyOnOk) {
    SetWindowTextW(Item(form2::kText1), L"abc");
    PostClick(Item(form2::kPushButton1));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings_); }, 5s));
    EXPECT_EQ(Stored(keys::kFontSize), L"20");
    EXPECT_TRUE(IsWindowEnabled(Window()));
}

TEST_F(SettingsByClick, ThirtySixClosedWithTheCloseBoxIsStoredAndTheTextGrows) {
    // Out from under the settings window, to measure what the face shows.
    SetWindowPos(Window(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(1200);
    const RECT small = FaceTextExtent(RGB(0, 0, 0));
    SetWindowTextW(Item(form2::kText1), L"36");
    CloseSettings();
    EXPECT_EQ(Stored(keys::kFontSize), L"36");
    Sleep(1200);  // a tick with the new size
    const RECT large = FaceTextExtent(RGB(0, 0, 0));
    EXPECT_GT(large.bottom - large.top, (small.bottom - small.top) * 3 / 2);
    Screenshot(L"12-text-size-36");
}

TEST_F(SettingsByClick, CancellingTheColourDialogWritesTheColourAgainUnchanged) {
    EXPECT_EQ(Stored(keys::kFontColor), L"-999");
    HWND dialog = OpenColourDialog();
    ASSERT_TRUE(dialog) << "no colour dialog";
    Screenshot(L"13-colour-dialog");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return Stored(keys::kFontColor) == L"0"; }, 5s));
}

TEST_F(SettingsByClick, PureRedIsStoredAs255AndTheFaceTurnsRed) {
    HWND dialog = OpenColourDialog();
    ASSERT_TRUE(dialog) << "no colour dialog";
    // The dialog's red, green and blue fields, as a user types them.
    SetDlgItemTextW(dialog, 706, L"255");
    SetDlgItemTextW(dialog, 707, L"0");
    SetDlgItemTextW(dialog, 708, L"0");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return Stored(keys::kFontColor) == L"255"; }, 5s))
        << testing::PrintToString(Stored(keys::kFontColor));
    CloseSettings();
    EXPECT_TRUE(WaitUntil([&] { return FaceTextExtent(RGB(255, 0, 0)).right > 0; }, 2s));
    Screenshot(L"14-red-face");
}

TEST_F(SettingsByClick, AlwaysOnTopIsAppliedWhenTheSettingsCloseAndClearedWhenCleared) {
    PostClick(Item(form2::kCheck1));
    ASSERT_TRUE(WaitUntil([&] { return Stored(keys::kAlwaysOnTop) == L"1"; }, 2s));
    EXPECT_FALSE(IsTopMost());
    CloseSettings();
    EXPECT_TRUE(WaitUntil([&] { return IsTopMost(); }, 2s));

    settings_ = OpenSettingsByClickingTheFace();
    ASSERT_TRUE(settings_);
    EXPECT_FALSE(IsTopMost());  // out of the topmost layer while the settings are open
    EXPECT_TRUE(Checked(form2::kCheck1));
    PostClick(Item(form2::kCheck1));
    ASSERT_TRUE(WaitUntil([&] { return Stored(keys::kAlwaysOnTop) == L"0"; }, 2s));
    CloseSettings();
    Sleep(300);
    EXPECT_FALSE(IsTopMost());
}

// Wine runs every program as an elevated administrator and gives every file to its user, so the clock
// is elevated in a folder its user can change: as on Windows for a per-user copy run as administrator,
// it writes the user's entry, never the one for all users, and says why once. (The entry for all users
// is written for an installed copy; the integration tests reach it through the check's seam.)
TEST_F(SettingsByClick, RunAtStartupWritesTheQuotedPathOfTellurane) {
    const std::wstring other = FolderOf(TELLURANE_EXE) + L"\\Aaaa.exe";
    CopyFileW(TRAP_HOST_EXE, other.c_str(), FALSE);  // another program in the same folder
    PostClick(Item(form2::kCheck3));
    ASSERT_TRUE(WaitUntil([&] { return Stored(keys::kRunAtStartup) == L"1"; }, 2s));
    const std::wstring said = AnswerNextBox();
    EXPECT_NE(said.find(L"from a folder that users without administrator rights can change"), std::wstring::npos)
        << said.c_str();
    DeleteFileW(other.c_str());
    wchar_t data[MAX_PATH + 8] = {};
    DWORD size = sizeof data;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kUserRunSubKey, L"Tellurane.exe", RRF_RT_REG_SZ, nullptr, data, &size),
              ERROR_SUCCESS);
    std::wstring expected = TELLURANE_EXE;
    std::replace(expected.begin(), expected.end(), L'/', L'\\');
    EXPECT_EQ(CompareStringOrdinal(data, -1, (L"\"" + expected + L"\"").c_str(), -1, TRUE), CSTR_EQUAL)
        << testing::PrintToString(std::wstring(data));
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, kUserRunSubKey, L"Aaaa.exe", RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_NE(RegGetValueW(HKEY_LOCAL_MACHINE, kRunSubKey, L"Tellurane.exe", RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);

    PostClick(Item(form2::kCheck3));
    ASSERT_TRUE(WaitUntil([&] { return Stored(keys::kRunAtStartup) == L"0"; }, 2s));
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, kUserRunSubKey, L"Tellurane.exe", RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_TRUE(Boxes().empty());
}

bool HasValue(HKEY root, const wchar_t* subKey) {
    return RegGetValueW(root, subKey, L"Tellurane.exe", RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

TEST_F(SettingsByClick, AsAUserWithoutRightsTheBoxNeverLeavesTwoEntriesAndSaysWhatItCannotDo) {
    const auto tick = [&](const wchar_t* stored) {
        PostClick(Item(form2::kCheck3));
        ASSERT_TRUE(WaitUntil([&] { return Stored(keys::kRunAtStartup) == stored; }, 3s));
    };
    // Task Manager's Startup page turned the user's entry off.
    const BYTE disabled[12] = {3};
    RegSetKeyValueW(HKEY_CURRENT_USER, kUserStartupApprovedSubKey, L"Tellurane.exe", REG_BINARY, disabled,
                    sizeof disabled);
    {
        support::ReadOnlyMachineRunKey readOnly;
        tick(L"1");
        EXPECT_TRUE(WaitUntil([] { return HasValue(HKEY_CURRENT_USER, kUserRunSubKey); }, 3s));
        EXPECT_FALSE(HasValue(HKEY_LOCAL_MACHINE, kRunSubKey));
        EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kUserStartupApprovedSubKey)) << "still disabled";
        EXPECT_TRUE(Boxes().empty());  // the choice stands, and there is nothing to say
        tick(L"0");
        EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kUserRunSubKey));
    }

    // A copy once run as administrator wrote the entry for all users.
    RegStuff::SaveRegistryValue(HKEY_LOCAL_MACHINE, kRunSubKey, L"Tellurane.exe", std::wstring(L"\"C:\\old.exe\""),
                                REG_SZ);
    support::ReadOnlyMachineRunKey readOnly;
    tick(L"1");
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kUserRunSubKey)) << "two entries: it would start twice";
    EXPECT_TRUE(HasValue(HKEY_LOCAL_MACHINE, kRunSubKey));
    tick(L"0");
    const std::wstring said = AnswerNextBox();
    EXPECT_NE(said.find(L"could not remove its start-up entry for all users"), std::wstring::npos) << said.c_str();
    EXPECT_NE(said.find(L"run Tellurane once as administrator"), std::wstring::npos);
    EXPECT_TRUE(HasValue(HKEY_LOCAL_MACHINE, kRunSubKey));
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kUserRunSubKey));
    EXPECT_FALSE(Checked(form2::kCheck3));
}

}  // namespace
}  // namespace tellurane
