// What Windows sees of Tellurane.exe before it runs: a 32-bit GUI program with its version strings.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

namespace tellurane {
namespace {

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return L"<missing>";
    return std::wstring(static_cast<const wchar_t*>(value));
}

// With DEP and ASLR, and terminal-server aware: what objdump shows as the DLL characteristics.
TEST(Executable, IsA32BitWindowsGuiProgramWithDepAslrAndTerminalServerAwareness) {
    std::ifstream file(TELLURANE_EXE, std::ios::binary);
    ASSERT_TRUE(file);
    IMAGE_DOS_HEADER dos{};
    file.read(reinterpret_cast<char*>(&dos), sizeof dos);
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    file.seekg(dos.e_lfanew);
    IMAGE_NT_HEADERS32 nt{};
    file.read(reinterpret_cast<char*>(&nt), sizeof nt);
    ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    const WORD characteristics = nt.OptionalHeader.DllCharacteristics;
    EXPECT_TRUE(characteristics & IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE);
    EXPECT_TRUE(characteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
    EXPECT_TRUE(characteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
}

TEST(Executable, CarriesTheVersionStrings) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(TELLURANE_EXE, &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(TELLURANE_EXE, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 7));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 7));

    EXPECT_EQ(VersionString(info, L"FileVersion"), L"7.00");
    EXPECT_EQ(VersionString(info, L"ProductVersion"), L"7.00");
    EXPECT_EQ(VersionString(info, L"CompanyName"), L"Marrowick");
    EXPECT_EQ(VersionString(info, L"ProductName"), L"Tellurane");
    EXPECT_EQ(VersionString(info, L"InternalName"), L"Tellurane");
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"Tellurane.exe");
    // What Task Manager, the Startup page and the notification settings show for the program.
    EXPECT_EQ(VersionString(info, L"FileDescription"), L"Tellurane");
    EXPECT_EQ(VersionString(info, L"LegalCopyright"), L"Copyright (C) 2026 Marrowick");

    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    EXPECT_EQ(translation->language, 0x0409);
    EXPECT_EQ(translation->codePage, 1200);
}

TEST(Executable, CarriesTheProgramIconWithItsFourImages) {
    HMODULE exe = LoadLibraryExW(TELLURANE_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(exe);
    HRSRC group = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_TRUE(group);
    const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(exe, group)));
    ASSERT_TRUE(directory);
    const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
    EXPECT_EQ(count, 4);
    std::vector<std::pair<int, int>> images;  // size, bits
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = directory + 6 + i * 14;
        const int width = entry[0] == 0 ? 256 : entry[0];
        images.emplace_back(width, *reinterpret_cast<const WORD*>(entry + 6));
    }
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{32, 24}, {48, 32}, {128, 32}, {256, 32}}));
    HRSRC tray = FindResourceW(exe, MAKEINTRESOURCEW(2), RT_GROUP_ICON);
    ASSERT_TRUE(tray);
    const auto* trayDirectory = static_cast<const BYTE*>(LockResource(LoadResource(exe, tray)));
    EXPECT_EQ(*reinterpret_cast<const WORD*>(trayDirectory + 4), 1);
    EXPECT_EQ(trayDirectory[6], 16);
    EXPECT_EQ(*reinterpret_cast<const WORD*>(trayDirectory + 6 + 6), 24);
    FreeLibrary(exe);
}

}  // namespace
}  // namespace tellurane
