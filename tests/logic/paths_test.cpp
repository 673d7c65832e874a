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

}  // namespace
}  // namespace tellurane
