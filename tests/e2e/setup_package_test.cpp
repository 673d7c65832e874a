// The setup program itself, as Explorer shows it before anyone runs it: its name, version and icon.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/installer_fixture.h"

namespace tellurane::setup_test {
namespace {

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

TEST_F(Installer, TheSetupCarriesTheProductsNameVersionAndTheProgramsIcon) {
    EXPECT_EQ(VersionString(kSetup, L"ProductName"), L"Tellurane");
    EXPECT_EQ(VersionString(kSetup, L"CompanyName"), L"Marrowick");
    EXPECT_EQ(VersionString(kSetup, L"FileVersion"), TELLURANE_SETUP_VERSION);
    EXPECT_NE(VersionString(kSetup, L"LegalCopyright").find(L"Marrowick"), std::wstring::npos);
    EXPECT_NE(VersionString(kSetup, L"FileDescription"), L"<missing>");
    EXPECT_EQ(IconSizes(kSetup), IconSizes(TELLURANE_EXE));
}

}  // namespace
}  // namespace tellurane::setup_test
