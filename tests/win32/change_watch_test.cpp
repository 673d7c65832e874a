// Changes that Windows reports: a registry key's (values, the key deleted and made again) and a folder's
// files (the folder missing at first). Each watch must say nothing while nothing changes.

#include "win32/change_watch.h"

#include <gtest/gtest.h>

#include <string>

#include "win32/message_loop.h"

namespace tellurane {
namespace {

// Handles messages and watches until the count moves on from what it was, for up to two seconds.
bool ReportedWithin2s(const int& count, int before) {
    WaitSeconds(2, [&] { return count == before; });
    return count != before;
}

// No report for a second, after any second report of the last change has come: a watch that re-armed
// itself into a loop would report on and on.
bool QuietAfterwards(const int& count) {
    WaitSeconds(0.2);
    const int settled = count;
    WaitSeconds(1, [&] { return count == settled; });
    return count == settled;
}

TEST(RegistryWatch, ReportsValuesTheKeysDeletionAndMakingAndIsQuietOtherwise) {
    const std::wstring parent = L"Software\\Marrowick\\WatchTest" + std::to_wstring(GetCurrentProcessId());
    const std::wstring key = parent + L"\\Settings";
    RegDeleteTreeW(HKEY_CURRENT_USER, parent.c_str());
    int changes = 0;
    RegistryWatch watch(HKEY_CURRENT_USER, key, [&] { ++changes; });
    ASSERT_TRUE(watch.Active());
    EXPECT_TRUE(QuietAfterwards(changes)) << "a report with no change";
    // While the key is missing (a first run), other programs' writes beside it are none of its business.
    const std::wstring beside = L"Software\\Marrowick\\WatchBeside" + std::to_wstring(GetCurrentProcessId());
    const int quiet = changes;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (beside + L"\\Deeper").c_str(), L"x", REG_SZ, L"1", 4), 0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, beside.c_str(), L"y", REG_SZ, L"2", 4), 0);
    RegDeleteTreeW(HKEY_CURRENT_USER, beside.c_str());
    QuietAfterwards(changes);
    EXPECT_EQ(changes, quiet) << "a report for a write elsewhere while the key is missing";

    struct Step {
        const char* what;
        LSTATUS (*change)(const std::wstring& key);
    };
    const Step steps[] = {
        {"made while missing (its parent too)",
         [](const std::wstring& k) { return RegSetKeyValueW(HKEY_CURRENT_USER, k.c_str(), L"a", REG_SZ, L"1", 4); }},
        {"a value written",
         [](const std::wstring& k) { return RegSetKeyValueW(HKEY_CURRENT_USER, k.c_str(), L"a", REG_SZ, L"2", 4); }},
        {"a subkey's value",
         [](const std::wstring& k) {
             return RegSetKeyValueW(HKEY_CURRENT_USER, (k + L"\\Clocks\\1").c_str(), L"b", REG_SZ, L"3", 4);
         }},
        {"a value deleted",
         [](const std::wstring& k) { return RegDeleteKeyValueW(HKEY_CURRENT_USER, k.c_str(), L"a"); }},
        {"the key deleted", [](const std::wstring& k) { return RegDeleteTreeW(HKEY_CURRENT_USER, k.c_str()); }},
        {"made again",
         [](const std::wstring& k) { return RegSetKeyValueW(HKEY_CURRENT_USER, k.c_str(), L"a", REG_SZ, L"4", 4); }},
        {"written after that",
         [](const std::wstring& k) { return RegSetKeyValueW(HKEY_CURRENT_USER, k.c_str(), L"a", REG_SZ, L"5", 4); }},
    };
    for (const Step& step : steps) {
        const int before = changes;
        ASSERT_EQ(step.change(key), ERROR_SUCCESS) << step.what;
        EXPECT_TRUE(ReportedWithin2s(changes, before)) << step.what;
        WaitSeconds(0.2);  // a second report of the same change may come
    }
    EXPECT_TRUE(QuietAfterwards(changes));
    RegDeleteTreeW(HKEY_CURRENT_USER, parent.c_str());
}

TEST(FolderWatch, ReportsFilesMadeWrittenAndDeletedAlsoInAFolderMadeLater) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring parent = std::wstring(temp) + L"tellurane-watch-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring folder = parent + L"\\x";
    const std::wstring file = folder + L"\\o.cjs";
    CreateDirectoryW(parent.c_str(), nullptr);
    int changes = 0;
    FolderWatch watch(folder, [&] { ++changes; });
    ASSERT_TRUE(watch.Active()) << "the parent of a missing folder is watched";
    EXPECT_TRUE(QuietAfterwards(changes));

    const auto write = [&](const char* text) {
        HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(handle, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
        CloseHandle(handle);
    };
    int before = changes;
    CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_TRUE(ReportedWithin2s(changes, before)) << "the folder made";
    before = changes;
    write("[Face]\r\n");
    EXPECT_TRUE(ReportedWithin2s(changes, before)) << "a file made in it";
    WaitSeconds(0.2);
    before = changes;
    write("[Face]\r\nOutline=2\r\n");
    EXPECT_TRUE(ReportedWithin2s(changes, before)) << "the file written";
    WaitSeconds(0.2);
    before = changes;
    DeleteFileW(file.c_str());
    EXPECT_TRUE(ReportedWithin2s(changes, before)) << "the file deleted";
    EXPECT_TRUE(QuietAfterwards(changes)) << "reports go on";
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(parent.c_str());
}

}  // namespace
}  // namespace tellurane
