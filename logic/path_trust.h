#pragma once
// Whether anyone but the administrators could change what a path starts: the decision over one path's
// security facts, kept apart from reading them so it can be checked over a table of access lists.

#include <cstdint>
#include <vector>

namespace tellurane {

// Who an owner or an access entry names.
enum class Trustee : std::uint8_t {
    Administrators,  // the Administrators group, the system account, the installer service
    Placeholder,     // CREATOR OWNER and CREATOR GROUP: they name no one on the object itself
    OwnerRights,     // OWNER RIGHTS: whoever owns the object
    Others,          // everyone else, the user who started the program among them
};

// The access rights that matter here, with Windows' values; generic rights are mapped before.
namespace rights {
inline constexpr std::uint32_t kWriteData = 0x0002;    // a file's content; a folder: add a file
inline constexpr std::uint32_t kAppendData = 0x0004;   // a file's content; a folder: add a folder
inline constexpr std::uint32_t kDeleteChild = 0x0040;  // a folder: delete or rename what it holds
inline constexpr std::uint32_t kDelete = 0x00010000;
inline constexpr std::uint32_t kWriteDac = 0x00040000;
inline constexpr std::uint32_t kWriteOwner = 0x00080000;
}  // namespace rights

struct AllowedAccess {
    Trustee trustee = Trustee::Others;
    std::uint32_t mask = 0;
    bool inheritOnly = false;  // only passed on to what the folder holds
};

struct PathSecurity {
    bool read = false;     // false when the facts could not be read: nothing is known
    bool hasDacl = false;  // no access list at all lets everyone do everything
    Trustee owner = Trustee::Others;
    std::vector<AllowedAccess> allowed;  // the entries that allow; denials only ever narrow
};

// The executable itself, the folder that holds it, or a folder above that one.
enum class PathPart : std::uint8_t { File, Folder, Ancestor };

// True when someone other than the administrators could replace what this part of the path names:
// the file's content, a file beside it (a planted library), or the folder itself by renaming it.
// Unknown facts count as open.
bool OthersCanChange(PathPart part, const PathSecurity& security);

}  // namespace tellurane
