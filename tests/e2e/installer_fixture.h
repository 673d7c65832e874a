#pragma once
// What the installer's tests share: the setup just built, where it installs and what it writes, how
// a quiet setup and uninstall are run and waited for, and what must (and must not) be there after.

#include <windows.h>
#include <shlobj.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/clock_driver.h"

// The build defines both when makensis is there to make the setup (installer/setup.cmake).
#ifndef TELLURANE_SETUP_EXE
#define TELLURANE_SETUP_EXE L""
#define TELLURANE_SETUP_VERSION L""
#endif

namespace tellurane::setup_test {

inline constexpr wchar_t kSetup[] = TELLURANE_SETUP_EXE;
inline constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tellurane";
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kStartupApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr wchar_t kRunValue[] = L"Tellurane.exe";
inline constexpr wchar_t kSettingsKey[] = L"Software\\Marrowick\\Tellurane";
// A space in the path: the uninstall commands must quote it.
inline constexpr wchar_t kTestRoot[] = L"C:\\Tellurane setup test";
inline constexpr wchar_t kTestFolder[] = L"C:\\Tellurane setup test\\Programs\\Tellurane";

std::optional<std::wstring> RegText(HKEY root, const wchar_t* key, const wchar_t* name);
std::optional<DWORD> RegNumber(HKEY root, const wchar_t* key, const wchar_t* name);
bool RegValueExists(HKEY root, const wchar_t* key, const wchar_t* name);
bool RegKeyExists(HKEY root, const wchar_t* key);
// Writes a text value, as the settings' Run entry does; false when Windows refused it.
bool SetRegText(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& text);

std::filesystem::path KnownFolder(REFKNOWNFOLDERID id);
std::filesystem::path StartMenuShortcut();
std::filesystem::path DesktopShortcut();

// What a shortcut starts, and in which folder, as the shell reads it.
struct ShortcutData {
    std::wstring target, folder;
};
ShortcutData ReadShortcut(const std::filesystem::path& link);

std::string Bytes(const std::filesystem::path& file);
bool SamePath(const std::wstring& a, const std::wstring& b);
// The sizes of the images of a file's first icon: the program's icon has a set of its own.
std::vector<int> IconSizes(const std::wstring& file);

class Installer : public RunningClock {
protected:
    Installer() { CleanUp(); }
    ~Installer() override {
        clock_.reset();
        CleanUp();
    }

    void SetUp() override {
        if (!*kSetup) {
            GTEST_SKIP() << "no setup program: the build makes one when makensis is there (scripts/install-deps.sh)";
        }
    }

    static std::filesystem::path DefaultFolder();
    static void CleanUp();

    // Starts the installed program and waits for the time on its face.
    void StartInstalled(const std::filesystem::path& folder);
    // The running clock ended by closing itself: exit code 0 and its place saved.
    void ExpectClockClosedCleanly(const char* by);
    // The files, the shortcut and the entry in Settings > Apps of an installation in that folder.
    void ExpectInstalledIn(const std::filesystem::path& folder);
    void ExpectNothingInstalledLeft(const std::filesystem::path& folder);
    // Runs the uninstaller as the quiet-uninstall entry says and waits for it to finish: it copies itself
    // to a temporary folder, starts the copy and returns at once.
    void UninstallQuietly(DWORD* copyExitCode = nullptr);
    void RunSetupQuietly(const std::filesystem::path& folder, const char* what);

private:
    void ExpectUninstallEntry(const std::filesystem::path& folder, const std::set<std::wstring>& files);
};

}  // namespace tellurane::setup_test
