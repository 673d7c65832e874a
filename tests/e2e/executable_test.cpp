// What Windows sees of Tellurane.exe before it runs: a 32-bit GUI program with its version strings
// and icons.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace tellurane {
namespace {

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return L"<missing>";
    return {static_cast<const wchar_t*>(value)};
}

struct IconImage {
    int size;
    int bits;
    bool png;
    bool operator==(const IconImage&) const = default;
};

void PrintTo(const IconImage& image, std::ostream* out) {
    *out << image.size << "x" << image.size << " " << image.bits << "-bit" << (image.png ? " PNG" : "");
}

template <typename T>
T Read(const BYTE* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// The images of one icon group as its directory lists them, each checked against its own data: a bitmap
// has the listed size and depth, a 32-bit one real alpha (clear corners, an opaque face), and a PNG is a
// 32-bit RGBA one of the listed size.
std::vector<IconImage> IconGroup(HMODULE exe, int id) {
    std::vector<IconImage> images;
    HRSRC group = FindResourceW(exe, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    const auto* directory = group ? static_cast<const BYTE*>(LockResource(LoadResource(exe, group))) : nullptr;
    if (!directory) {
        ADD_FAILURE() << "no icon group " << id;
        return images;
    }
    const WORD count = Read<WORD>(directory + 4);
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = directory + 6 + i * 14;  // GRPICONDIRENTRY
        IconImage image{entry[0] == 0 ? 256 : entry[0], Read<WORD>(entry + 6), false};
        HRSRC resource = FindResourceW(exe, MAKEINTRESOURCEW(Read<WORD>(entry + 12)), RT_ICON);
        const auto* data = resource ? static_cast<const BYTE*>(LockResource(LoadResource(exe, resource))) : nullptr;
        const DWORD length = resource ? SizeofResource(exe, resource) : 0;
        if (!data || length < sizeof(BITMAPINFOHEADER)) {
            ADD_FAILURE() << "image " << i << " of icon group " << id << " is missing";
            continue;
        }
        static constexpr BYTE kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        image.png = std::equal(std::begin(kPngSignature), std::end(kPngSignature), data);
        if (image.png) {
            const int width = data[16] << 24 | data[17] << 16 | data[18] << 8 | data[19];  // IHDR, big-endian
            EXPECT_EQ(width, image.size);
            EXPECT_EQ(data[24], 8);  // bits a channel
            EXPECT_EQ(data[25], 6);  // RGBA
        } else {
            const auto header = Read<BITMAPINFOHEADER>(data);
            EXPECT_EQ(header.biWidth, image.size);
            EXPECT_EQ(header.biHeight, 2 * image.size);  // colours and mask
            EXPECT_EQ(header.biBitCount, image.bits);
            if (header.biBitCount == 32 && length >= sizeof header + 4u * image.size * image.size) {
                const BYTE* pixels = data + sizeof header;
                bool clear = false, opaque = false;
                for (int p = 0; p < image.size * image.size; ++p) {
                    clear = clear || pixels[4 * p + 3] == 0;
                    opaque = opaque || pixels[4 * p + 3] == 255;
                }
                EXPECT_TRUE(clear && opaque) << image.size << "x" << image.size << " has no alpha of its own";
            }
        }
        images.push_back(image);
    }
    return images;
}

// With DEP and ASLR, and terminal-server aware: what objdump shows as the DLL characteristics. Its
// sections lie on page boundaries in the file: Wine then maps the image page by page as Windows does,
// where for a file aligned more finely it copies the whole image, every language's texts included, into
// the program's memory at start (about half a megabyte more working set, bench/run.sh idle).
TEST(Executable, IsA32BitWindowsGuiProgramWithDepAslrTerminalServerAwarenessAndPageAlignedSections) {
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
    EXPECT_EQ(nt.OptionalHeader.FileAlignment, nt.OptionalHeader.SectionAlignment);
}

// The loader resolves the import table before wWinMain, searching the program's folder first for any DLL
// that is not a KnownDLL: a planted one there would run with the program. Only KnownDLLs (as Windows 10
// and 11 list them) and comctl32, which the manifest binds side by side, may be imported.
TEST(Executable, ImportsOnlyDllsThatCannotBePlantedBesideIt) {
    std::ifstream file(TELLURANE_EXE, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 0x400u);
    const auto dos = Read<IMAGE_DOS_HEADER>(reinterpret_cast<const BYTE*>(bytes.data()));
    const auto nt = Read<IMAGE_NT_HEADERS32>(reinterpret_cast<const BYTE*>(bytes.data()) + dos.e_lfanew);
    const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(bytes.data() + dos.e_lfanew +
                                                                         offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                                                                         nt.FileHeader.SizeOfOptionalHeader);
    const auto at = [&](DWORD rva) -> const char* {
        for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER section = sections[i];
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData) {
                return bytes.data() + section.PointerToRawData + (rva - section.VirtualAddress);
            }
        }
        return nullptr;
    };
    const char* table = at(nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    ASSERT_TRUE(table);
    const std::vector<std::string> allowed = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",
                                              "kernel32.dll", "msvcrt.dll",   "ole32.dll",    "oleaut32.dll",
                                              "shell32.dll",  "user32.dll",   "shlwapi.dll",  "imm32.dll"};
    for (auto entry = Read<IMAGE_IMPORT_DESCRIPTOR>(reinterpret_cast<const BYTE*>(table)); entry.Name;
         table += sizeof entry, entry = Read<IMAGE_IMPORT_DESCRIPTOR>(reinterpret_cast<const BYTE*>(table))) {
        const char* written = at(entry.Name);
        ASSERT_TRUE(written);
        std::string name = written;
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), name), allowed.end()) << name << " is not a KnownDLL";
        // Needed only now and then (the colour dialog, a screen reader), loaded then: not in every clock.
        for (const char* lazy : {"comdlg32.dll", "oleaut32.dll", "oleacc.dll", "dwmapi.dll", "shcore.dll"}) {
            EXPECT_NE(name, lazy) << "imported, so loaded at every start";
        }
    }
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
    ASSERT_TRUE(
        VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation->language, 0x0409);
    EXPECT_EQ(translation->codePage, 1200);
}

TEST(Executable, CarriesSharpIconsAtEverySizeAndTheTrayControlsStoredPicture) {
    HMODULE exe = LoadLibraryExW(TELLURANE_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(exe);
    // Small icons at 100-200 % (16 to 32), large ones (32 to 64), and 256 for Explorer's big views.
    std::vector<IconImage> sharp;
    for (int size : {16, 20, 24, 32, 40, 48, 64}) sharp.push_back({size, 32, false});
    sharp.push_back({256, 32, true});
    const struct {
        int id;
        std::vector<IconImage> images;
    } cases[] = {
        {TELLURANE_PROGRAM_ICON, sharp},
        {TELLURANE_SHARP_TRAY_ICON, sharp},
        {TELLURANE_TRAY_ICON, {{16, 24, false}}},
    };
    for (const auto& icon : cases) {
        SCOPED_TRACE(icon.id);
        std::vector<IconImage> images = IconGroup(exe, icon.id);
        std::sort(images.begin(), images.end(), [](const IconImage& a, const IconImage& b) { return a.size < b.size; });
        EXPECT_EQ(images, icon.images);
    }
    FreeLibrary(exe);
}

}  // namespace
}  // namespace tellurane
