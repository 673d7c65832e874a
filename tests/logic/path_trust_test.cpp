#include "logic/path_trust.h"

#include <gtest/gtest.h>

namespace tellurane {
namespace {

using T = Trustee;
using P = PathPart;

constexpr std::uint32_t kFullControl = 0x001F01FF;
constexpr std::uint32_t kModify = 0x001301BF;
constexpr std::uint32_t kReadAndRun = 0x001200A9;
constexpr std::uint32_t kAddFolder = 0x00100004;  // what drive C:'s root gives every signed-in user

PathSecurity Secured(T owner, std::vector<AllowedAccess> allowed) {
    return PathSecurity{true, true, owner, std::move(allowed)};
}

// The lists as Windows sets them: Program Files (owned by the installer service), a folder in the
// user's profile, the drive's root, and the hand-made changes that open or close a path.
TEST(OthersCanChange, OnlyAdministratorsOwningAndWritingThePathKeepItClosed) {
    const std::vector<AllowedAccess> programFiles = {{T::Administrators, kFullControl, false},
                                                     {T::Others, kReadAndRun, false},
                                                     {T::Placeholder, kFullControl, true},
                                                     {T::Others, kFullControl, true}};
    struct Case {
        const char* what;
        P part;
        PathSecurity security;
        bool open;
    };
    const Case cases[] = {
        {"Program Files", P::Folder, Secured(T::Administrators, programFiles), false},
        {"Program Files above", P::Ancestor, Secured(T::Administrators, programFiles), false},
        {"the installed file", P::File, Secured(T::Administrators, programFiles), false},
        {"the user's own folder", P::Folder, Secured(T::Others, {{T::Administrators, kFullControl, false}}), true},
        {"the user's own file", P::File, Secured(T::Others, {}), true},
        {"users may modify", P::Folder, Secured(T::Administrators, {{T::Others, kModify, false}}), true},
        {"users may add a folder to the root", P::Ancestor,
         Secured(T::Administrators, {{T::Others, kAddFolder, false}}), false},
        {"nor beside the program", P::Folder, Secured(T::Administrators, {{T::Others, kAddFolder, false}}), false},
        {"but appending to the file is a change", P::File, Secured(T::Administrators, {{T::Others, kAddFolder, false}}),
         true},
        {"adding a file beside it plants a library", P::Folder,
         Secured(T::Administrators, {{T::Others, rights::kWriteData, false}}), true},
        {"adding a file higher up does not", P::Ancestor,
         Secured(T::Administrators, {{T::Others, rights::kWriteData, false}}), false},
        {"deleting what a folder above holds renames ours", P::Ancestor,
         Secured(T::Administrators, {{T::Others, rights::kDeleteChild, false}}), true},
        {"renaming the folder itself", P::Folder, Secured(T::Administrators, {{T::Others, rights::kDelete, false}}),
         true},
        {"rewriting the list", P::Ancestor, Secured(T::Administrators, {{T::Others, rights::kWriteDac, false}}), true},
        {"taking it over", P::File, Secured(T::Administrators, {{T::Others, rights::kWriteOwner, false}}), true},
        {"only for what it will hold", P::Folder, Secured(T::Administrators, {{T::Others, kModify, true}}), false},
        {"the owner's rights, an administrator's", P::Folder,
         Secured(T::Administrators, {{T::OwnerRights, kFullControl, false}}), false},
        {"CREATOR OWNER names no one here", P::File,
         Secured(T::Administrators, {{T::Placeholder, kFullControl, false}}), false},
        {"no list: everyone may do everything", P::Folder, PathSecurity{true, false, T::Administrators, {}}, true},
        {"nothing could be read", P::Ancestor, PathSecurity{}, true},
        {"unread, whatever the rest says", P::File, PathSecurity{false, true, T::Administrators, {}}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(OthersCanChange(c.part, c.security), c.open) << c.what;
}

// Each right alone, given to users on each part: the file, its folder, a folder above; and anything of a
// path a user owns.
TEST(OthersCanChange, EachRightAloneOpensThePartsItChanges) {
    const struct {
        std::uint32_t right;
        bool file, folder, ancestor;
    } alone[] = {
        {rights::kWriteData, true, true, false},    // the content; a file beside it; higher up, harmless
        {rights::kAppendData, true, false, false},  // the content; in a folder, only a new folder
        {rights::kDeleteChild, false, true, true},  // a file holds nothing; a folder's are replaced
        {rights::kDelete, true, true, true},        // renamed away, another put in its place
        {rights::kWriteDac, true, true, true},      // the power to take every other right
        {rights::kWriteOwner, true, true, true},
    };
    for (const auto& a : alone) {
        for (const auto& [part, open] :
             {std::pair{P::File, a.file}, std::pair{P::Folder, a.folder}, std::pair{P::Ancestor, a.ancestor}}) {
            EXPECT_EQ(OthersCanChange(part, Secured(T::Administrators, {{T::Others, a.right, false}})), open)
                << "right " << std::hex << a.right << " on part " << static_cast<int>(part);
            EXPECT_TRUE(OthersCanChange(part, Secured(T::Others, {})))
                << "owned by a user, part " << static_cast<int>(part);
        }
    }
}

}  // namespace
}  // namespace tellurane
