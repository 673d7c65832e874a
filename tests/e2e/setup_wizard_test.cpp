// Installing as most users do, through the setup's pages with their defaults, and removing it through
// the uninstaller's pages with the box that takes the settings too.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "logic/setting_keys.h"
#include "tests/e2e/installer_fixture.h"

namespace tellurane::setup_test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using support::WaitUntil;

// The pages of a wizard are child dialogs of its window, one at a time.
HWND CurrentPage(HWND wizard) {
    for (HWND child : support::ChildrenOf(wizard)) {
        if (support::ClassOf(child) == L"#32770" && IsWindowVisible(child)) return child;
    }
    return nullptr;
}

HWND ControlOn(HWND page, const wchar_t* className, const std::wstring& textPart = L"") {
    for (HWND control : support::ChildrenOf(page)) {
        if (support::ClassOf(control) == className && IsWindowVisible(control) &&
            support::WindowText(control).find(textPart) != std::wstring::npos) {
            return control;
        }
    }
    return nullptr;
}

// Waits for the page that shows such a control, and returns the control.
HWND WaitForPageWith(HWND wizard, const wchar_t* className, const std::wstring& textPart,
                     std::chrono::milliseconds timeout = 15s) {
    HWND control = nullptr;
    WaitUntil([&] { return (control = ControlOn(CurrentPage(wizard), className, textPart)) != nullptr; }, timeout);
    return control;
}

void PressNext(HWND wizard, const std::wstring& expectedText, const std::wstring& screenshot) {
    HWND next = GetDlgItem(wizard, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(next) != FALSE; }, 5s)) << support::WindowText(next);
    EXPECT_EQ(support::WindowText(next), expectedText);
    Sleep(300);  // painted before the picture is taken
    support::SaveScreenshot(L"installer-" + screenshot);
    PostMessageW(next, BM_CLICK, 0, 0);
}

std::wstring ImageOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process) {
        QueryFullProcessImageNameW(process, 0, path, &size);
        CloseHandle(process);
    }
    return path;
}

class InstallerPages : public Installer {
protected:
    // Through every page with its defaults (the default folder offered), to Finish with "Start Tellurane".
    // The setup is kept to the test's end: the clock it starts belongs to it, and goes with it.
    void InstallThroughThePages(const fs::path& folder) {
        setup_ = std::make_unique<support::LaunchedProgram>(kSetup);
        ASSERT_TRUE(setup_->Started());
        HWND wizard = support::FindTopLevel(setup_->ProcessId(), L"#32770", 15s);
        ASSERT_TRUE(wizard) << "no setup window";
        EXPECT_EQ(support::WindowText(wizard), L"Tellurane Setup");

        ASSERT_TRUE(WaitForPageWith(wizard, L"Static", L"Welcome")) << "no welcome page";
        PressNext(wizard, L"&Next >", L"02-welcome");
        HWND folderBox = WaitForPageWith(wizard, L"Edit", L"");
        ASSERT_TRUE(folderBox) << "no folder page";
        EXPECT_TRUE(SamePath(support::WindowText(folderBox), folder.wstring())) << support::WindowText(folderBox);
        PressNext(wizard, L"&Next >", L"03-folder");
        ASSERT_TRUE(WaitForPageWith(wizard, L"SysTreeView32", L"")) << "no components page";
        PressNext(wizard, L"&Install", L"04-components");
        HWND start = WaitForPageWith(wizard, L"Button", L"Start Tellurane", 60s);
        ASSERT_TRUE(start) << "no finish page";
        EXPECT_EQ(SendMessageW(start, BM_GETCHECK, 0, 0), BST_CHECKED);
        PressNext(wizard, L"&Finish", L"05-finish");
        DWORD exitCode = 99;
        ASSERT_TRUE(setup_->WaitForExit(10s, exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    // The clock the finish page started is the installed one, and it runs.
    void ExpectTheInstalledClockStarted(const fs::path& folder) {
        ASSERT_TRUE(WaitUntil([&] { return (window_ = FindWindowW(kClockClass, nullptr)) != nullptr; }, 15s))
            << "the finish page did not start the clock";
        EXPECT_TRUE(SamePath(ImageOf(window_), (folder / L"Tellurane.exe").wstring())) << ImageOf(window_);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) && !FaceText().empty(); }, 5s));
        Sleep(300);
        support::SaveScreenshot(L"installer-06-started-from-the-finish-page");
    }

    // The uninstaller's pages with "Also remove my settings" ticked; waits for it to end.
    void UninstallThroughThePagesWithTheSettings(const fs::path& folder) {
        uninstaller_ = std::make_unique<support::LaunchedProgram>((folder / L"uninstall.exe").wstring());
        ASSERT_TRUE(uninstaller_->Started());
        HWND unwizard = nullptr;
        ASSERT_TRUE(
            WaitUntil([&] { return (unwizard = FindWindowW(L"#32770", L"Tellurane Uninstall")) != nullptr; }, 15s));
        HWND removeSettings = WaitForPageWith(unwizard, L"Button", L"Also remove my settings");
        ASSERT_TRUE(removeSettings) << "no page with the settings box";
        EXPECT_EQ(SendMessageW(removeSettings, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "settings are kept unless asked";
        PostMessageW(removeSettings, BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return SendMessageW(removeSettings, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
        PressNext(unwizard, L"&Uninstall", L"07-uninstall-settings-ticked");
        DWORD uninstallerProcess = 0;
        GetWindowThreadProcessId(unwizard, &uninstallerProcess);
        EXPECT_TRUE(WaitUntil([&] { return !RegKeyExists(HKEY_CURRENT_USER, kSettingsKey); }, 30s))
            << "the settings were kept though the box was ticked";
        EXPECT_FALSE(IsWindow(window_)) << "the uninstaller left the clock running";
        // The last page waits for Close.
        if (IsWindow(unwizard)) PressNext(unwizard, L"&Close", L"08-uninstalled");
        HANDLE copy = OpenProcess(SYNCHRONIZE, FALSE, uninstallerProcess);
        if (copy) {
            EXPECT_EQ(WaitForSingleObject(copy, 10000), WAIT_OBJECT_0) << "the uninstaller did not end";
            CloseHandle(copy);
        }
    }

    std::unique_ptr<support::LaunchedProgram> setup_, uninstaller_;
};

TEST_F(InstallerPages, InstallWithTheirDefaultsAndStartTheClockThenTheUninstallerRemovesTheSettingsWhenTicked) {
    const fs::path folder = DefaultFolder();
    Store(keys::kFontSize, L"31");
    ASSERT_NO_FATAL_FAILURE(InstallThroughThePages(folder));
    ExpectInstalledIn(folder);
    ASSERT_NO_FATAL_FAILURE(ExpectTheInstalledClockStarted(folder));
    ASSERT_NO_FATAL_FAILURE(UninstallThroughThePagesWithTheSettings(folder));
    ExpectNothingInstalledLeft(folder);
    EXPECT_FALSE(fs::exists(folder)) << "the emptied folder is left";
}

}  // namespace
}  // namespace tellurane::setup_test
