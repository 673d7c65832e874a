#include "logic/paths.h"

#include <gtest/gtest.h>

namespace tellurane {
namespace {

// Windows takes '/' as a separator too, and "C:name" names a file in the drive's current folder.
TEST(Paths, ForwardSlashesAndDriveRelativeNames) {
    const struct {
        const wchar_t *path, *folder, *name;
    } cases[] = {
        {L"C:/Apps/Clock/Tellurane.exe", L"C:/Apps/Clock", L"Tellurane.exe"},
        {L"C:/Tellurane.exe", L"C:/", L"Tellurane.exe"},
        {L"C:\\Apps/Tellurane.exe", L"C:\\Apps", L"Tellurane.exe"},
        {L"C:Tellurane.exe", L"C:", L"Tellurane.exe"},
        {L"Tellurane.exe", L"", L"Tellurane.exe"},
        {L"//server/share/Tellurane.exe", L"//server/share", L"Tellurane.exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
    }
    EXPECT_EQ(InFolder(L"C:/Apps/", L"/x/o.cjs"), L"C:/Apps/x/o.cjs");
    EXPECT_EQ(InFolder(L"C:/Apps", L"x\\o.cjs"), L"C:/Apps\\x\\o.cjs");
}

TEST(FolderOf, KeepsTheSeparatorOnlyAtADriveRoot) {
    EXPECT_EQ(FolderOf(L"C:\\Program Files\\Tellurane\\Tellurane.exe"), L"C:\\Program Files\\Tellurane");
    EXPECT_EQ(FolderOf(L"C:\\Tellurane.exe"), L"C:\\");
    EXPECT_EQ(FolderOf(L"\\\\server\\share\\Tellurane.exe"), L"\\\\server\\share");
    EXPECT_EQ(FolderOf(L"\\x.exe"), L"\\");  // the root of the current drive
}

TEST(InFolder, PutsExactlyOneSeparatorBetween) {
    EXPECT_EQ(InFolder(L"C:\\", L"\\HAND-M.CUR"), L"C:\\HAND-M.CUR");
    EXPECT_EQ(InFolder(L"C:\\Apps\\Clock", L"\\x\\o.cjs"), L"C:\\Apps\\Clock\\x\\o.cjs");
    EXPECT_EQ(InFolder(L"C:\\Apps", L"Tellurane.exe"), L"C:\\Apps\\Tellurane.exe");
    // A name starting with two separators (a skin folder's, "\\" + "\\Night") loses both.
    EXPECT_EQ(InFolder(L"C:\\Apps", L"\\\\Night\\o.cjs"), L"C:\\Apps\\Night\\o.cjs");
    EXPECT_EQ(InFolder(L"C:/Apps/", L"/\\Night"), L"C:/Apps/Night");
}

TEST(FileNameOf, DropsTheFolder) {
    EXPECT_EQ(FileNameOf(L"C:\\My Apps\\Tellurane.exe"), L"Tellurane.exe");
    EXPECT_EQ(FileNameOf(L"Tellurane.exe"), L"Tellurane.exe");
    EXPECT_EQ(FileNameOf(L"C:x.exe"), L"x.exe");
}

// A portable folder deeper than MAX_PATH: Windows takes it only in the prefixed form unless long paths are
// switched on for the machine.
TEST(LongPathForm, PrefixesOnlyFullPathsTooLongForTheUsualForm) {
    const std::wstring deep(250, L'd');
    const struct {
        std::wstring path, form;
    } cases[] = {
        {L"C:\\Apps\\Tellurane.ini", L"C:\\Apps\\Tellurane.ini"},
        {L"C:\\" + deep, L"\\\\?\\C:\\" + deep},
        {L"C:/" + deep + L"/x.ini", L"\\\\?\\C:\\" + deep + L"\\x.ini"},
        {L"\\\\server\\share\\" + deep, L"\\\\?\\UNC\\server\\share\\" + deep},
        {L"\\\\?\\C:\\" + deep, L"\\\\?\\C:\\" + deep},
        {L"\\\\?\\UNC\\server\\" + deep, L"\\\\?\\UNC\\server\\" + deep},
        {deep + L"\\x.ini", deep + L"\\x.ini"},  // relative
        {L"\\" + deep, L"\\" + deep},            // the current drive's root: no drive to name
    };
    for (const auto& c : cases) EXPECT_EQ(LongPathForm(c.path), c.form) << c.path;
    // The longest usual folder path is 247 characters.
    EXPECT_EQ(LongPathForm(L"C:\\" + std::wstring(244, L'd')), L"C:\\" + std::wstring(244, L'd'));
    EXPECT_EQ(LongPathForm(L"C:\\" + std::wstring(245, L'd')), L"\\\\?\\C:\\" + std::wstring(245, L'd'));
}

}  // namespace
}  // namespace tellurane
