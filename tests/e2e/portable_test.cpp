// A copy carried on a stick: Tellurane.exe with Tellurane.ini beside it, in a folder of its own. Everything
// the user changes lands in that file, none of it in the registry, and a second copy keeps its own.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "logic/layouts.h"
#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

class PortableCopy : public RunningClock {
protected:
    PortableCopy() {
        exe_ = MakeCopy(L"A", "");
        file_ = FolderOf(exe_) + L"\\Tellurane.ini";
    }
    ~PortableCopy() override {
        clock_.reset();
        for (const wchar_t* copy : {L"A", L"B"}) {
            const std::wstring folder = Folder(copy);
            RemoveDirectoryW((folder + L"\\Tellurane.ini.new").c_str());
            for (const wchar_t* file :
                 {L"Tellurane.exe", L"Tellurane.ini", L"Tellurane.ini.new", L"Tellurane.ini.saved"})
                DeleteFileW((folder + L"\\" + file).c_str());
            RemoveDirectoryW(folder.c_str());
        }
    }
    static std::wstring Folder(const wchar_t* copy) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        return std::wstring(temp) + L"TelluraneStick" + std::to_wstring(GetCurrentProcessId()) + copy;
    }
    static std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }
    static std::wstring MakeCopy(const wchar_t* copy, const std::string& settings) {
        const std::wstring folder = Folder(copy);
        CreateDirectoryW(folder.c_str(), nullptr);
        std::wstring exe = folder + L"\\Tellurane.exe";
        CopyFileW(TELLURANE_EXE, exe.c_str(), FALSE);
        Write(folder + L"\\Tellurane.ini", settings);
        return exe;
    }
    static void Write(const std::wstring& path, const std::string& bytes) {
        std::ofstream(path.c_str(), std::ios::binary) << bytes;
    }
    std::string Settings() const {
        std::ifstream file(file_.c_str(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    bool SettingsHold(const std::string& line) const {
        return WaitUntil([&] { return Settings().find(line) != std::string::npos; }, 3s);
    }
    bool RegistryUntouched() const {
        HKEY key = nullptr;
        const bool found = RegOpenKeyExW(HKEY_CURRENT_USER, store_.KeyPath().c_str(), 0, KEY_READ, &key) ==
                           ERROR_SUCCESS;
        if (found) RegCloseKey(key);
        return !found;
    }
    bool FaceShows(const std::wstring& text, std::chrono::milliseconds within) const {
        return WaitUntil([&] { return FaceText().find(text) != std::wstring::npos; }, within);
    }

    // The settings window, Clock options and the face's menu, each as a user uses them.
    void ChangeEverywhere() {
        HWND settings = OpenSettingsByClickingTheFace();
        ASSERT_TRUE(settings);
        PostClick(GetDlgItem(settings, form2::kCheck4));  // the weekday
        EXPECT_TRUE(SettingsHold("Check4=1")) << Settings();
        PostMessageW(settings, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings); }, 5s));
        // A click sent within a second or so of a close is sometimes lost under Wine: the clock in front
        // first, and one more try.
        SetForegroundWindow(window_);
        WaitUntil([&] { return GetForegroundWindow() == window_; }, 3s);
        Sleep(1000);
        HWND options = OpenClockOptionsFromTheMenu();
        if (!options) {
            support::PressKey(VK_ESCAPE);
            options = OpenClockOptionsFromTheMenu();
        }
        ASSERT_TRUE(options);
        HWND label = GetDlgItem(options, clock_options::kLabel);
        SendMessageW(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Stick \u00E9t\u00E9"));
        SetForegroundWindow(options);
        support::PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 3s));
        EXPECT_TRUE(SettingsHold("Label=Stick \xC3\xA9t\xC3\xA9")) << Settings();
        // A new clock, with its own section. Closing Clock options hands the front back to the clock, which
        // may close a menu opened in that moment under Wine: the clock in front first, and once more if
        // nothing came of it.
        SetForegroundWindow(window_);
        WaitUntil([&] { return GetForegroundWindow() == window_; }, 3s);
        for (int attempt = 0; attempt < 2 && !SettingsHold("[Clocks\\1]"); ++attempt) {
            if (OpenFaceMenu()) support::PressKey('N');
        }
        EXPECT_TRUE(SettingsHold("[Clocks\\1]")) << Settings();
        options = support::FindTopLevel(clock_->ProcessId(), L"Tellurane.ClockOptions", support::kStateTimeout);
        ASSERT_TRUE(options);
        SetForegroundWindow(options);
        support::PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 3s));
    }

    std::wstring file_;
};

TEST_F(PortableCopy, KeepsEverySettingInItsFileFollowsAHandEditAndComesBackTheSameBesideASecondCopy) {
    ASSERT_TRUE(RegistryUntouched()) << "the fixture's clean start";
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ChangeEverywhere());
    // By hand, in Notepad's way, while it runs: shown within a second.
    std::string edited = Settings();
    edited.replace(edited.find("Stick"), 5, "Carried");
    Write(file_, edited);
    EXPECT_TRUE(FaceShows(L"Carried", 1500ms)) << testing::PrintToString(FaceText());
    // A sync client reading the file as the program closes (OneDrive's way) does not cost its place.
    HANDLE syncing = CreateFileW(file_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(syncing, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseWithin(5s)) << testing::PrintToString(AnswerNextBox(0ms));
    CloseHandle(syncing);
    EXPECT_TRUE(SettingsHold("Form1Left=")) << "its place, saved on closing";
    EXPECT_TRUE(RegistryUntouched()) << "written to the registry";

    // Again, beside a second copy in another folder with settings of its own.
    support::LaunchedProgram second(MakeCopy(L"B", "[Tellurane]\r\nLabel=Second\r\nForm1Left=200\r\n"));
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_TRUE(FaceShows(L"Carried \u00E9t\u00E9", 3s)) << testing::PrintToString(FaceText());
    EXPECT_TRUE(WaitUntil([&] { return support::FindTopLevel(clock_->ProcessId(), L"Tellurane.Clock", 0ms); }, 3s))
        << "the new clock came back";
    HWND other = support::FindTopLevel(second.ProcessId(), kClockClass, support::kStateTimeout);
    ASSERT_TRUE(other);
    EXPECT_TRUE(WaitUntil(
        [&] { return support::WindowText(GetDlgItem(other, form1::kPushButton1)).find(L"Second") == 0; }, 3s));
    EXPECT_EQ(Settings().find("Second"), std::string::npos);
    PostMessageW(other, WM_CLOSE, 0, 0);
    DWORD code = 0;
    EXPECT_TRUE(second.WaitForExit(5s, code));
    EXPECT_TRUE(RegistryUntouched());
}

TEST_F(PortableCopy, ATruncatedFileIsSaidOnceAndAFolderThatRefusesKeepsTheChangesInMemory) {
    // Cut off in the middle of a section's name, after the first clock's values.
    Write(file_, "[Tellurane]\r\nLabel=Half\r\nCheck4=1\r\n\r\n[Cloc");
    // Where no new file can be made (a read-only stick; here a folder in the new file's way, which holds
    // even for an administrator, as the tests run).
    ASSERT_TRUE(CreateDirectoryW((file_ + L".new").c_str(), nullptr));
    Start(false);
    const std::wstring said = AnswerNextBox();
    EXPECT_NE(said.find(L"Line 5: \"[Cloc\""), std::wstring::npos) << testing::PrintToString(said);
    window_ = support::FindTopLevel(clock_->ProcessId(), kClockClass, support::kStateTimeout);
    ASSERT_TRUE(window_);
    EXPECT_TRUE(FaceShows(L"Half", 3s)) << "the rest of the file is used";
    // Two changes: the first is said, both hold.
    ASSERT_TRUE(OpenFaceMenu());
    support::PressKey('T');  // always on top
    EXPECT_NE(AnswerNextBox().find(L"cannot save"), std::wstring::npos);
    EXPECT_TRUE(WaitUntil([&] { return IsTopMost(); }, 3s));
    ASSERT_TRUE(OpenFaceMenu());
    support::PressKey('T');
    EXPECT_TRUE(WaitUntil([&] { return !IsTopMost(); }, 3s));
    EXPECT_EQ(AnswerNextBox(1s), L"<no box>") << "said twice";
    EXPECT_EQ(Settings(), "[Tellurane]\r\nLabel=Half\r\nCheck4=1\r\n\r\n[Cloc") << "the file as it was";
    ASSERT_TRUE(CloseWithin(5s));
    EXPECT_TRUE(RegistryUntouched());
}

}  // namespace
}  // namespace tellurane
