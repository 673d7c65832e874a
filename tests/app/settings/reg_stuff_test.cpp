// The start-with-Windows entry in the registry of the test prefix.

#include "app/settings/reg_stuff.h"

#include <gtest/gtest.h>

#include <string>

#include "app/main_module.h"
#include "logic/app_error.h"
#include "logic/paths.h"
#include "tests/support/read_only_run_key.h"
#include "win32/path_security.h"

namespace tellurane {
namespace {

constexpr wchar_t kUserRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kName[] = L"tellurane_app_tests.exe";

std::wstring RunValue(HKEY root, const wchar_t* subKey, const wchar_t* name = kName) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(root, subKey, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return L"<none>";
    return data;
}

// The test program runs from the build folder, which its user owns (on Windows as under Wine, where
// every file belongs to the user): as an installed copy, it is taken for one only administrators change.
class RunEntry : public ::testing::Test {
protected:
    ~RunEntry() override {
        RegStuff::RemoveRunEntry(kName);
        RegStuff::SetOthersCanChangeCheck(previous_);
    }
    RegStuff::ProgramPathCheck previous_ = RegStuff::SetOthersCanChangeCheck([](const std::wstring&) { return false; });
};

TEST(RunEntryData, QuotesThePathWithOneSeparator) {
    EXPECT_EQ(RegStuff::RunEntryData(L"C:\\", L"Tellurane.exe"), L"\"C:\\Tellurane.exe\"");
    EXPECT_EQ(RegStuff::RunEntryData(L"C:\\My Apps", L"Tellurane.exe"), L"\"C:\\My Apps\\Tellurane.exe\"");
    EXPECT_EQ(RegStuff::PortableRunEntryName(L"Tellurane.exe", L"E:\\Tools\\Tellurane\\"),
              L"Tellurane.exe (E:\\Tools\\Tellurane)");
    EXPECT_EQ(RegStuff::PortableRunEntryName(L"Tellurane.exe", L"E:\\"), L"Tellurane.exe (E:\\)");
}

TEST_F(RunEntry, AddingWritesTheMachineWideValueAndRemovingDeletesIt) {
    modStartUp::AddToStartUp();
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunSubKey), L"\"" + ProgramPath() + L"\"");
    modStartUp::AddToStartUp();  // again: the same value, no error
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunSubKey), L"\"" + ProgramPath() + L"\"");
    modStartUp::RemoveFromStartUp();
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunSubKey), L"<none>");
    // Nothing there: nothing is written and nothing said.
    EXPECT_EQ(RegStuff::RemoveRunEntry(kName), L"");
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunSubKey), L"<none>");
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun), L"<none>");
    // A portable copy, whose settings stay in its own folder, leaves the machine's key alone even where it
    // could write it: the user's own entry only, named after its folder too, so that an installed copy's
    // entry of the same file name (here a stand-in) is neither replaced nor removed.
    const std::wstring installed = L"\"C:\\Installed\\" + std::wstring(kName) + L"\"";
    RegStuff::SaveRegistryValue(HKEY_CURRENT_USER, kUserRun, kName, installed, REG_SZ);
    const std::wstring own = RegStuff::PortableRunEntryName(kName, FolderOf(ProgramPath()));
    modStartUp::AddToStartUp(true);
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunSubKey), L"<none>");
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun, own.c_str()), L"\"" + ProgramPath() + L"\"");
    modStartUp::RemoveFromStartUp(true);
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun, own.c_str()), L"<none>");
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun), installed);
}

// Elevated from a folder its user could change, the program would run as every user who logs on with
// whatever that user put there: it keeps to the user's entry, removes one an earlier run made for all
// users, and says so once.
TEST_F(RunEntry, RunAsAdministratorFromAFolderOthersCanChangeItWritesOnlyTheUsersEntry) {
    static std::wstring checked;
    RegStuff::SetOthersCanChangeCheck([](const std::wstring& exePath) {
        checked = exePath;
        return true;
    });
    const std::wstring data = L"\"" + ProgramPath() + L"\"";
    RegStuff::SaveRegistryValue(HKEY_LOCAL_MACHINE, kRunSubKey, kName, std::wstring(L"\"C:\\old.exe\""), REG_SZ);
    EXPECT_EQ(RegStuff::AddRunEntry(kName, ProgramFolder()), Tr(kMachineEntryRefused));
    EXPECT_EQ(checked, ProgramPath());
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunSubKey), L"<none>");
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun), data);
    EXPECT_EQ(RegStuff::AddRunEntry(kName, ProgramFolder()), L"") << "said again at each opening";
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun), data);
    {
        // Without the rights the check is not made: nothing refused, nothing said.
        support::ReadOnlyMachineRunKey readOnly;
        checked.clear();
        RegStuff::RemoveRunEntry(kName);
        EXPECT_EQ(RegStuff::AddRunEntry(kName, ProgramFolder()), L"");
        EXPECT_EQ(checked, L"");
        EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun), data);
    }
    // The real check: Wine gives every file to the user, and Windows gives a folder made in the
    // user's profile or build tree to its user too, so this one is open.
    EXPECT_TRUE(OthersCanChangeProgram(ProgramPath()));
    EXPECT_TRUE(OthersCanChangeProgram(L"C:\\no such folder\\Tellurane.exe")) << "unreadable counts as open";
}

TEST_F(RunEntry, AnotherExecutableInTheFolderChangesNothing) {
    const std::wstring other = ProgramFolder() + L"\\Aaaa.exe";
    CopyFileW(ProgramPath().c_str(), other.c_str(), FALSE);
    modStartUp::AddToStartUp();
    DeleteFileW(other.c_str());
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunSubKey), L"\"" + ProgramPath() + L"\"");
    wchar_t data[16];
    DWORD size = sizeof data;
    EXPECT_NE(RegGetValueW(HKEY_LOCAL_MACHINE, kRunSubKey, L"Aaaa.exe", RRF_RT_REG_SZ, nullptr, data, &size),
              ERROR_SUCCESS);
}

TEST_F(RunEntry, WithoutWriteAccessToTheMachineKeyTheUsersRunKeyGetsIt) {
    {
        support::ReadOnlyMachineRunKey readOnly;
        HKEY probe = nullptr;
        ASSERT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunSubKey, 0, KEY_SET_VALUE, &probe), ERROR_SUCCESS)
            << "the key is still writable";
        modStartUp::AddToStartUp();
    }
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE, kRunSubKey), L"<none>");
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun), L"\"" + ProgramPath() + L"\"");
    modStartUp::RemoveFromStartUp();
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun), L"<none>");
    // Both keys closed (a policy, a security program): said, and not answered as done.
    {
        support::ReadOnlyKey user(HKEY_CURRENT_USER, kUserRun);
        {
            support::ReadOnlyMachineRunKey machine;
            EXPECT_EQ(RegStuff::AddRunEntry(kName, ProgramFolder()), Tr(kRunEntryNotAdded)) << "neither key";
        }
        RegStuff::SetOthersCanChangeCheck([](const std::wstring&) { return true; });
        EXPECT_EQ(RegStuff::AddRunEntry(kName, ProgramFolder()), Tr(kRunEntryNotAdded))
            << "as administrator, from a folder users may change";
        RegStuff::SetOthersCanChangeCheck([](const std::wstring&) { return false; });
    }
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun), L"<none>");
}

TEST_F(RunEntry, WritingTheMachineWideValueRemovesAnEarlierUserValue) {
    RegStuff::SaveRegistryValue(HKEY_CURRENT_USER, kUserRun, kName, std::wstring(L"old"), REG_SZ);
    modStartUp::AddToStartUp();
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER, kUserRun), L"<none>");
    EXPECT_NE(RunValue(HKEY_LOCAL_MACHINE, kRunSubKey), L"<none>");
}

TEST(SetRegistryValue, WritesStringsAndNumbersAndNothingElse) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Marrowick\\RegStuffTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegStuff::SetRegistryValue(key, L"text", REG_SZ, std::wstring(L"abc")), ERROR_SUCCESS);
    EXPECT_EQ(RegStuff::SetRegistryValue(key, L"number", REG_DWORD, std::int32_t{42}), ERROR_SUCCESS);
    // A number given as text converts as every stored number does: rounded, and an error when it is none.
    EXPECT_EQ(RegStuff::SetRegistryValue(key, L"rounded", REG_DWORD, std::wstring(L"2.5")), ERROR_SUCCESS);
    EXPECT_THROW(RegStuff::SetRegistryValue(key, L"bad", REG_DWORD, std::wstring(L"12abc")), AppError);
    EXPECT_THROW(RegStuff::SetRegistryValue(key, L"bad", REG_DWORD, std::wstring(L"3000000000")), AppError);
    EXPECT_EQ(RegStuff::SetRegistryValue(key, L"binary", REG_BINARY, std::wstring(L"x")), 0);
    DWORD number = 0, size = sizeof number;
    EXPECT_EQ(RegGetValueW(key, nullptr, L"number", RRF_RT_REG_DWORD, nullptr, &number, &size), ERROR_SUCCESS);
    EXPECT_EQ(number, 42u);
    EXPECT_EQ(RegGetValueW(key, nullptr, L"rounded", RRF_RT_REG_DWORD, nullptr, &number, &size), ERROR_SUCCESS);
    EXPECT_EQ(number, 2u);
    EXPECT_NE(RegGetValueW(key, nullptr, L"bad", RRF_RT_ANY, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_NE(RegGetValueW(key, nullptr, L"binary", RRF_RT_ANY, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowick\\RegStuffTest");
}

}  // namespace
}  // namespace tellurane
