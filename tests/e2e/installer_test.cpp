// Installing as users do: the setup run silently and through its pages, an upgrade over a running
// clock, and the uninstaller, which takes away what was installed and nothing of the user's.

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>

#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"
#include "tests/support/read_only_run_key.h"

// The build defines both when makensis is there to make the setup (installer/setup.cmake).
#ifndef TELLURANE_SETUP_EXE
#define TELLURANE_SETUP_EXE L""
#define TELLURANE_SETUP_VERSION L""
#endif

namespace tellurane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using support::WaitUntil;

constexpr wchar_t kSetup[] = TELLURANE_SETUP_EXE;
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tellurane";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kStartupApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr wchar_t kRunValue[] = L"Tellurane.exe";
constexpr wchar_t kSettingsKey[] = L"Software\\Marrowick\\Tellurane";
// A space in the path: the uninstall commands must quote it.
constexpr wchar_t kTestRoot[] = L"C:\\Tellurane setup test";
constexpr wchar_t kTestFolder[] = L"C:\\Tellurane setup test\\Programs\\Tellurane";

std::optional<std::wstring> RegText(HKEY root, const wchar_t* key, const wchar_t* name) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data - sizeof(wchar_t), type = 0;
    if (RegGetValueW(root, key, name, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ) return L"<type " + std::to_wstring(type) + L">";
    return std::wstring(data);
}

std::optional<DWORD> RegNumber(HKEY root, const wchar_t* key, const wchar_t* name) {
    DWORD data = 0, size = sizeof data;
    if (RegGetValueW(root, key, name, RRF_RT_REG_DWORD, nullptr, &data, &size) != ERROR_SUCCESS) return std::nullopt;
    return data;
}

bool RegValueExists(HKEY root, const wchar_t* key, const wchar_t* name) {
    return RegGetValueW(root, key, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegKeyExists(HKEY root, const wchar_t* key) {
    HKEY opened;
    if (RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

fs::path KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    fs::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
    CoTaskMemFree(path);
    return folder;
}

fs::path StartMenuShortcut() { return KnownFolder(FOLDERID_Programs) / L"Tellurane.lnk"; }
fs::path DesktopShortcut() { return KnownFolder(FOLDERID_Desktop) / L"Tellurane.lnk"; }

// What a shortcut starts, and in which folder, as the shell reads it.
struct ShortcutData {
    std::wstring target, folder;
};

ShortcutData ReadShortcut(const fs::path& link) {
    ShortcutData data{L"<unreadable>", L"<unreadable>"};
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t text[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
                if (SUCCEEDED(shellLink->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) data.target = text;
                if (SUCCEEDED(shellLink->GetWorkingDirectory(text, MAX_PATH))) data.folder = text;
            }
            file->Release();
        }
        shellLink->Release();
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return data;
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file under a folder, by its path inside it.
std::set<std::wstring> FilesUnder(const fs::path& folder) {
    std::set<std::wstring> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), folder).wstring());
    }
    return files;
}

std::set<std::wstring> SkinsShipped() {
    std::set<std::wstring> skins;
    for (const auto& entry : fs::directory_iterator(TELLURANE_SKINS)) {
        if (entry.path().extension() == L".cjs") skins.insert(entry.path().filename().wstring());
    }
    return skins;
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

// A version string in the file's first language, as Explorer's Details tab shows it.
std::wstring VersionString(const std::wstring& file, const wchar_t* name) {
    std::vector<BYTE> info(GetFileVersionInfoSizeW(file.c_str(), nullptr));
    void* value = nullptr;
    UINT length = 0;
    if (info.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) ||
        !VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4) {
        return L"<missing>";
    }
    const WORD* language = static_cast<const WORD*>(value);
    wchar_t path[64];
    swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", language[0], language[1], name);
    if (!VerQueryValueW(info.data(), path, &value, &length) || length == 0) return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

BOOL CALLBACK FirstResource(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found) {
    *reinterpret_cast<HRSRC*>(found) = FindResourceW(module, name, type);
    return FALSE;
}

// The sizes of the images of a file's first icon: the program's icon has a set of its own.
std::vector<int> IconSizes(const std::wstring& file) {
    std::vector<int> sizes;
    HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return sizes;
    HRSRC group = nullptr;
    EnumResourceNamesW(module, RT_GROUP_ICON, &FirstResource, reinterpret_cast<LONG_PTR>(&group));
    if (const BYTE* directory = group ? static_cast<const BYTE*>(LockResource(LoadResource(module, group))) : nullptr) {
        const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
        for (WORD i = 0; i < count; ++i) sizes.push_back(directory[6 + i * 14] == 0 ? 256 : directory[6 + i * 14]);
    }
    FreeLibrary(module);
    return sizes;
}

// The processes a process started (their parent is recorded even after it ended).
std::vector<HANDLE> ChildrenOfProcess(DWORD parent) {
    std::vector<HANDLE> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{sizeof entry};
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parent) continue;
        if (HANDLE child = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID))
            children.push_back(child);
    }
    CloseHandle(snapshot);
    return children;
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

    static fs::path DefaultFolder() { return KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Tellurane"; }

    static void CleanUp() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kStartupApprovedKey, kRunValue);
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
        std::error_code error;
        fs::remove_all(kTestRoot, error);
        fs::remove_all(DefaultFolder(), error);
        fs::remove(StartMenuShortcut(), error);
        fs::remove(DesktopShortcut(), error);
    }

    // Starts the installed program and waits for the time on its face.
    void StartInstalled(const fs::path& folder) {
        clock_ = std::make_unique<support::LaunchedProgram>((folder / L"Tellurane.exe").wstring());
        ASSERT_TRUE(clock_->Started());
        window_ = support::FindTopLevel(clock_->ProcessId(), kClockClass, 15s);
        ASSERT_TRUE(window_) << "the installed clock showed no window";
        EXPECT_TRUE(WaitUntil([&] { return !FaceText().empty(); }, 3s)) << "the installed clock's face stayed blank";
    }

    // The running clock ended by closing itself: exit code 0 and its place saved.
    void ExpectClockClosedCleanly(const char* by) {
        DWORD exitCode = 99;
        ASSERT_TRUE(clock_->WaitForExit(0ms, exitCode)) << by << " left the clock running";
        EXPECT_EQ(exitCode, 0u) << by;
        EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kSettingsKey, keys::kForm1Top.name.data()))
            << by << " ended the clock without letting it save its place";
        EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kSettingsKey, keys::kForm1Left.name.data())) << by;
    }

    void ExpectInstalledIn(const fs::path& folder) {
        std::set<std::wstring> expected{L"Tellurane.exe", L"User guide.txt", L"skins.md", L"uninstall.exe"};
        for (const std::wstring& skin : SkinsShipped()) {
            expected.insert(L"skins\\" + skin);
            EXPECT_EQ(Bytes(folder / L"skins" / skin), Bytes(fs::path(TELLURANE_SKINS) / skin)) << skin;
        }
        std::set<std::wstring> found = FilesUnder(folder);
        found.erase(L"x\\mine.cjs");  // the user's own skin, when the test has put one there
        EXPECT_EQ(found, expected);
        EXPECT_EQ(Bytes(folder / L"Tellurane.exe"), Bytes(TELLURANE_EXE)) << "not the program just built";
        const std::string guide = Bytes(folder / L"User guide.txt");
        const std::wstring version = TELLURANE_SETUP_VERSION;
        const std::string title = "Tellurane " + std::string(version.begin(), version.end()) + " - user guide\r\n";
        EXPECT_EQ(guide.substr(0, title.size()), title);
        size_t bareLineEnds = 0;
        for (size_t i = 0; i < guide.size(); ++i) bareLineEnds += guide[i] == '\n' && (i == 0 || guide[i - 1] != '\r');
        EXPECT_EQ(bareLineEnds, 0u) << "the guide has CRLF line ends for Notepad";

        const std::wstring exe = (folder / L"Tellurane.exe").wstring();
        const ShortcutData shortcut = ReadShortcut(StartMenuShortcut());
        EXPECT_TRUE(SamePath(shortcut.target, exe)) << shortcut.target;
        EXPECT_TRUE(SamePath(shortcut.folder, folder.wstring())) << shortcut.folder;
        EXPECT_FALSE(fs::exists(DesktopShortcut())) << "the desktop shortcut is off unless chosen";

        const std::wstring quoted = L"\"" + (folder / L"uninstall.exe").wstring() + L"\"";
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"), L"Tellurane");
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion"), TELLURANE_SETUP_VERSION);
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, L"Publisher"), L"Marrowick");
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, L"DisplayIcon"), exe);
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation"), folder.wstring());
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, L"UninstallString"), quoted);
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, L"QuietUninstallString"), quoted + L" /S");
        EXPECT_EQ(RegNumber(HKEY_CURRENT_USER, kUninstallKey, L"NoModify"), 1u);
        EXPECT_EQ(RegNumber(HKEY_CURRENT_USER, kUninstallKey, L"NoRepair"), 1u);
        uintmax_t bytes = 0;
        for (const std::wstring& file : expected) bytes += fs::file_size(folder / file);
        const DWORD estimate = RegNumber(HKEY_CURRENT_USER, kUninstallKey, L"EstimatedSize").value_or(0);
        EXPECT_GE(estimate, (bytes - fs::file_size(folder / L"uninstall.exe")) / 1024) << "KB";
        EXPECT_LE(estimate, bytes / 1024 + expected.size());
    }

    void ExpectNothingInstalledLeft(const fs::path& folder) {
        std::set<std::wstring> left = FilesUnder(folder);
        left.erase(L"x\\mine.cjs");
        EXPECT_TRUE(left.empty()) << "files left: " << testing::PrintToString(left);
        EXPECT_FALSE(fs::exists(folder / L"skins")) << "the skins folder is left";
        EXPECT_FALSE(fs::exists(StartMenuShortcut())) << "the Start-menu shortcut is left";
        EXPECT_FALSE(fs::exists(DesktopShortcut())) << "the desktop shortcut is left";
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kUninstallKey)) << "the uninstall entry is left";
        EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRunKey, kRunValue)) << "the user's Run entry is left";
        EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kStartupApprovedKey, kRunValue)) << "StartupApproved is left";
        EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, kRunValue)) << "the machine's Run entry is left";
    }

    // Runs the uninstaller as the quiet-uninstall entry says and waits for it to finish: it copies itself
    // to a temporary folder, starts the copy and returns at once.
    void UninstallQuietly(DWORD* copyExitCode = nullptr) {
        const std::wstring command = RegText(HKEY_CURRENT_USER, kUninstallKey, L"QuietUninstallString").value_or(L"");
        ASSERT_TRUE(command.starts_with(L'"')) << testing::PrintToString(command);
        const size_t close = command.find(L'"', 1);
        ASSERT_NE(close, std::wstring::npos) << command;
        support::LaunchedProgram uninstaller(command.substr(1, close - 1), command.substr(close + 2));
        ASSERT_TRUE(uninstaller.Started()) << command;
        DWORD exitCode = 99;
        ASSERT_TRUE(uninstaller.WaitForExit(10s, exitCode)) << "the uninstaller did not hand over to its copy";
        EXPECT_EQ(exitCode, 0u);
        const std::vector<HANDLE> copies = ChildrenOfProcess(uninstaller.ProcessId());
        EXPECT_EQ(copies.size(), 1u) << "the uninstaller's copy";
        for (HANDLE copy : copies) {
            EXPECT_EQ(WaitForSingleObject(copy, 30000), WAIT_OBJECT_0) << "the uninstaller's copy did not finish";
            if (copyExitCode) GetExitCodeProcess(copy, copyExitCode);
            CloseHandle(copy);
        }
    }

    void RunSetupQuietly(const fs::path& folder, const char* what) {
        support::LaunchedProgram setup(kSetup, L"/S /D=" + folder.wstring());
        ASSERT_TRUE(setup.Started());
        DWORD exitCode = 99;
        ASSERT_TRUE(setup.WaitForExit(60s, exitCode)) << what << " did not finish";
        EXPECT_EQ(exitCode, 0u) << what;
    }
};

TEST_F(Installer, InstallsQuietlyUpgradesOverARunningClockAndUninstallsLeavingOnlyTheUsersThings) {
    const fs::path folder = kTestFolder;
    EXPECT_EQ(VersionString(kSetup, L"ProductName"), L"Tellurane");
    EXPECT_EQ(VersionString(kSetup, L"CompanyName"), L"Marrowick");
    EXPECT_EQ(VersionString(kSetup, L"FileVersion"), TELLURANE_SETUP_VERSION);
    EXPECT_NE(VersionString(kSetup, L"LegalCopyright").find(L"Marrowick"), std::wstring::npos);
    EXPECT_NE(VersionString(kSetup, L"FileDescription"), L"<missing>");
    const std::vector<int> programIcon = IconSizes(TELLURANE_EXE);
    EXPECT_EQ(IconSizes(kSetup), programIcon);

    // Settings from an earlier version.
    Store(keys::kFontSize, L"31");
    RunSetupQuietly(folder, "the first installation");
    ExpectInstalledIn(folder);
    EXPECT_EQ(IconSizes((folder / L"uninstall.exe").wstring()), programIcon);
    StartInstalled(folder);
    support::SaveScreenshot(L"installer-01-installed-clock-running");

    // The user has a skin of their own; then a newer version is installed while the clock runs.
    fs::create_directories(folder / L"x");
    std::ofstream(folder / L"x" / L"mine.cjs", std::ios::binary) << "// mine\n";
    RunSetupQuietly(folder, "the upgrade");
    ExpectClockClosedCleanly("the upgrade");
    EXPECT_EQ(Stored(keys::kFontSize), L"31");
    EXPECT_EQ(Bytes(folder / L"x" / L"mine.cjs"), "// mine\n");
    ExpectInstalledIn(folder);

    // Start with Windows, as the settings turn it on, then uninstall while the clock runs.
    const std::wstring runData = L"\"" + (folder / L"Tellurane.exe").wstring() + L"\"";
    const BYTE approved[12] = {2};
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, runData.c_str(),
                              static_cast<DWORD>((runData.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kStartupApprovedKey, kRunValue, REG_BINARY, approved, sizeof approved),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, REG_SZ, runData.c_str(),
                              static_cast<DWORD>((runData.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    StartInstalled(folder);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, keys::kForm1Top.name.data());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, keys::kForm1Left.name.data());
    UninstallQuietly();
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

std::string LogText() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::ifstream file(fs::path(temp) / L"Tellurane setup.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// What a quiet setup or uninstall cannot do ends it with an exit code other than 0 and a line in the
// log, never a hang: a clock that will not close, and an entry for all users that this user cannot remove.
TEST_F(Installer, WhatAQuietRunCannotDoIsLoggedAndEndsWithAnErrorCode) {
    const fs::path folder = kTestFolder;
    RunSetupQuietly(folder, "the first installation");
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    fs::remove(fs::path(temp) / L"Tellurane setup.log");

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
    ASSERT_TRUE(setup.WaitForExit(60s, exitCode)) << "the upgrade waited for ever";
    DestroyWindow(stubborn);
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
    EXPECT_EQ(exitCode, 3u);
    EXPECT_NE(LogText().find("Tellurane is still running and did not close. Nothing was changed."), std::string::npos)
        << LogText();
    EXPECT_EQ(fs::last_write_time(folder / L"Tellurane.exe"), installed);

    const std::wstring runData = L"\"" + (folder / L"Tellurane.exe").wstring() + L"\"";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, REG_SZ, runData.c_str(),
                              static_cast<DWORD>((runData.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
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

TEST_F(Installer, ThePagesInstallWithTheirDefaultsAndStartTheClockThenTheUninstallerRemovesTheSettingsWhenTicked) {
    const fs::path folder = DefaultFolder();
    Store(keys::kFontSize, L"31");
    support::LaunchedProgram setup(kSetup);
    ASSERT_TRUE(setup.Started());
    HWND wizard = support::FindTopLevel(setup.ProcessId(), L"#32770", 15s);
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
    ASSERT_TRUE(setup.WaitForExit(10s, exitCode));
    EXPECT_EQ(exitCode, 0u);
    ExpectInstalledIn(folder);

    // The clock it started is the installed one.
    ASSERT_TRUE(WaitUntil([&] { return (window_ = FindWindowW(kClockClass, nullptr)) != nullptr; }, 15s))
        << "the finish page did not start the clock";
    EXPECT_TRUE(SamePath(ImageOf(window_), (folder / L"Tellurane.exe").wstring())) << ImageOf(window_);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) && !FaceText().empty(); }, 5s));
    Sleep(300);
    support::SaveScreenshot(L"installer-06-started-from-the-finish-page");

    support::LaunchedProgram uninstaller((folder / L"uninstall.exe").wstring());
    ASSERT_TRUE(uninstaller.Started());
    HWND unwizard = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (unwizard = FindWindowW(L"#32770", L"Tellurane Uninstall")) != nullptr; }, 15s));
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
    ExpectNothingInstalledLeft(folder);
    EXPECT_FALSE(fs::exists(folder)) << "the emptied folder is left";
}

}  // namespace
}  // namespace tellurane
