// Installing and removing silently, as administrators and scripts do: an install, an upgrade over a
// running clock, the uninstaller, which takes away what was installed and nothing of the user's, and
// what a quiet run cannot do.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "logic/setting_keys.h"
#include "tests/e2e/installer_fixture.h"
#include "tests/support/read_only_run_key.h"

namespace tellurane::setup_test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST_F(Installer, InstallsQuietlyUpgradesOverARunningClockAndUninstallsLeavingOnlyTheUsersThings) {
    const fs::path folder = kTestFolder;
    // Settings from an earlier version.
    Store(keys::kFontSize, L"31");
    ASSERT_NO_FATAL_FAILURE(RunSetupQuietly(folder, "the first installation"));
    ExpectInstalledIn(folder);
    EXPECT_EQ(IconSizes((folder / L"uninstall.exe").wstring()), IconSizes(TELLURANE_EXE));
    ASSERT_NO_FATAL_FAILURE(StartInstalled(folder));
    support::SaveScreenshot(L"installer-01-installed-clock-running");

    // The user has a skin of their own; then a newer version is installed while the clock runs.
    fs::create_directories(folder / L"x");
    std::ofstream(folder / L"x" / L"mine.cjs", std::ios::binary) << "// mine\n";
    ASSERT_NO_FATAL_FAILURE(RunSetupQuietly(folder, "the upgrade"));
    ExpectClockClosedCleanly("the upgrade");
    EXPECT_EQ(Stored(keys::kFontSize), L"31");
    EXPECT_EQ(Bytes(folder / L"x" / L"mine.cjs"), "// mine\n");
    ExpectInstalledIn(folder);

    // Start with Windows, as the settings turn it on, then uninstall while the clock runs.
    const std::wstring runData = L"\"" + (folder / L"Tellurane.exe").wstring() + L"\"";
    const BYTE approved[12] = {2};
    ASSERT_TRUE(SetRegText(HKEY_CURRENT_USER, kRunKey, kRunValue, runData));
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kStartupApprovedKey, kRunValue, REG_BINARY, approved, sizeof approved),
              ERROR_SUCCESS);
    ASSERT_TRUE(SetRegText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, runData));
    ASSERT_NO_FATAL_FAILURE(StartInstalled(folder));
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, keys::kForm1Top.name.data());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, keys::kForm1Left.name.data());
    ASSERT_NO_FATAL_FAILURE(UninstallQuietly());
    ExpectClockClosedCleanly("the uninstaller");
    ExpectNothingInstalledLeft(folder);
    EXPECT_EQ(Bytes(folder / L"x" / L"mine.cjs"), "// mine\n") << "the user's skin went";
    EXPECT_EQ(Stored(keys::kFontSize), L"31") << "a quiet uninstall keeps the settings";
}

// A window of the clock's class that ignores WM_CLOSE, as a clock running as administrator does for a
// setup without those rights (Windows drops the message; Wine has no such rights to tell apart).
LRESULT CALLBACK IgnoreClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

fs::path LogFile() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return fs::path(temp) / L"Tellurane setup.log";
}

std::string LogText() {
    std::ifstream file(LogFile(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A setup over a clock that will not close: it ends with code 3 and changes nothing.
void ExpectAnUpgradeOverAStubbornClockChangesNothing(const fs::path& folder) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &IgnoreClose;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"Tellurane.Form1";
    RegisterClassW(&windowClass);
    HWND stubborn = CreateWindowExW(0, windowClass.lpszClassName, L"Tellurane", WS_POPUP, 0, 0, 10, 10, nullptr,
                                    nullptr, windowClass.hInstance, nullptr);
    ASSERT_TRUE(stubborn);
    const fs::file_time_type installed = fs::last_write_time(folder / L"Tellurane.exe");
    support::LaunchedProgram setup(kSetup, L"/S /D=" + folder.wstring());
    DWORD exitCode = 99;
    const bool ended = setup.WaitForExit(60s, exitCode);
    DestroyWindow(stubborn);
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
    ASSERT_TRUE(ended) << "the upgrade waited for ever";
    EXPECT_EQ(exitCode, 3u);
    EXPECT_NE(LogText().find("Tellurane is still running and did not close. Nothing was changed."), std::string::npos)
        << LogText();
    EXPECT_EQ(fs::last_write_time(folder / L"Tellurane.exe"), installed);
}

// What a quiet setup or uninstall cannot do ends it with an exit code other than 0 and a line in the
// log, never a hang: a clock that will not close, and an entry for all users that this user cannot remove.
TEST_F(Installer, WhatAQuietRunCannotDoIsLoggedAndEndsWithAnErrorCode) {
    const fs::path folder = kTestFolder;
    ASSERT_NO_FATAL_FAILURE(RunSetupQuietly(folder, "the first installation"));
    fs::remove(LogFile());
    ASSERT_NO_FATAL_FAILURE(ExpectAnUpgradeOverAStubbornClockChangesNothing(folder));

    ASSERT_TRUE(
        SetRegText(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, L"\"" + (folder / L"Tellurane.exe").wstring() + L"\""));
    {
        const support::ReadOnlyMachineRunKey asForAStandardUser;
        DWORD uninstalled = 99;
        UninstallQuietly(&uninstalled);
        EXPECT_EQ(uninstalled, 4u);
    }
    EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, kRunValue));
    EXPECT_NE(LogText().find("could not be removed without administrator rights"), std::string::npos) << LogText();
    EXPECT_FALSE(fs::exists(folder / L"Tellurane.exe")) << "the rest of the uninstall did not happen";
}

}  // namespace
}  // namespace tellurane::setup_test
