#include "tests/e2e/installer_fixture.h"

#include <shobjidl.h>
#include <tlhelp32.h>

#include <fstream>
#include <iterator>

#include "logic/setting_keys.h"

namespace tellurane::setup_test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using support::WaitUntil;

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

bool SetRegText(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& text) {
    return RegSetKeyValueW(root, key, name, REG_SZ, text.c_str(),
                           static_cast<DWORD>(text.size() + 1) * DWORD{sizeof(wchar_t)}) == ERROR_SUCCESS;
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
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

namespace {

BOOL CALLBACK FirstResource(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found) {
    *reinterpret_cast<HRSRC*>(found) = FindResourceW(module, name, type);
    return FALSE;
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

}  // namespace

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

fs::path Installer::DefaultFolder() { return KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Tellurane"; }

void Installer::CleanUp() {
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

void Installer::StartInstalled(const fs::path& folder) {
    clock_ = std::make_unique<support::LaunchedProgram>((folder / L"Tellurane.exe").wstring());
    ASSERT_TRUE(clock_->Started());
    window_ = support::FindTopLevel(clock_->ProcessId(), kClockClass, 15s);
    ASSERT_TRUE(window_) << "the installed clock showed no window";
    EXPECT_TRUE(WaitUntil([&] { return !FaceText().empty(); }, 3s)) << "the installed clock's face stayed blank";
}

void Installer::ExpectClockClosedCleanly(const char* by) {
    DWORD exitCode = 99;
    ASSERT_TRUE(clock_->WaitForExit(0ms, exitCode)) << by << " left the clock running";
    EXPECT_EQ(exitCode, 0u) << by;
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kSettingsKey, keys::kForm1Top.name.data()))
        << by << " ended the clock without letting it save its place";
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kSettingsKey, keys::kForm1Left.name.data())) << by;
}

void Installer::ExpectInstalledIn(const fs::path& folder) {
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
    ExpectUninstallEntry(folder, expected);
}

// The entry in Settings > Apps, with the size of the files it installed.
void Installer::ExpectUninstallEntry(const fs::path& folder, const std::set<std::wstring>& files) {
    const std::wstring exe = (folder / L"Tellurane.exe").wstring();
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
    for (const std::wstring& file : files) bytes += fs::file_size(folder / file);
    const DWORD estimate = RegNumber(HKEY_CURRENT_USER, kUninstallKey, L"EstimatedSize").value_or(0);
    EXPECT_GE(estimate, (bytes - fs::file_size(folder / L"uninstall.exe")) / 1024) << "KB";
    EXPECT_LE(estimate, bytes / 1024 + files.size());
}

void Installer::ExpectNothingInstalledLeft(const fs::path& folder) {
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

void Installer::UninstallQuietly(DWORD* copyExitCode) {
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

void Installer::RunSetupQuietly(const fs::path& folder, const char* what) {
    support::LaunchedProgram setup(kSetup, L"/S /D=" + folder.wstring());
    ASSERT_TRUE(setup.Started());
    DWORD exitCode = 99;
    ASSERT_TRUE(setup.WaitForExit(60s, exitCode)) << what << " did not finish";
    EXPECT_EQ(exitCode, 0u) << what;
}

}  // namespace tellurane::setup_test
