#include "win32/path_security.h"

#include <aclapi.h>
#include <sddl.h>
#include <windows.h>

#include "logic/path_trust.h"
#include "logic/paths.h"
#include "win32/handles.h"

namespace tellurane {
namespace {

// The Windows Modules Installer service, which owns the system's own folders.
constexpr wchar_t kTrustedInstaller[] = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

bool IsTrustedInstaller(PSID sid) {
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) return false;
    const UniqueLocalMemory owner(text);
    return lstrcmpiW(text, kTrustedInstaller) == 0;
}

Trustee TrusteeOf(PSID sid) {
    if (sid == nullptr || !IsValidSid(sid)) return Trustee::Others;
    if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || IsWellKnownSid(sid, WinLocalSystemSid) ||
        IsTrustedInstaller(sid)) {
        return Trustee::Administrators;
    }
    if (IsWellKnownSid(sid, WinCreatorOwnerSid) || IsWellKnownSid(sid, WinCreatorGroupSid)) {
        return Trustee::Placeholder;
    }
    if (IsWellKnownSid(sid, WinCreatorOwnerRightsSid)) return Trustee::OwnerRights;
    return Trustee::Others;
}

// Allowing entries of every kind a file's list can hold; a conditional (callback) entry may allow, so
// it counts as allowing.
void AddAllowed(const ACE_HEADER* header, PathSecurity& security) {
    PSID sid = nullptr;
    ACCESS_MASK mask = 0;
    if (header->AceType == ACCESS_ALLOWED_ACE_TYPE) {
        const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
        sid = const_cast<DWORD*>(&ace->SidStart);
        mask = ace->Mask;
    } else if (header->AceType == ACCESS_ALLOWED_CALLBACK_ACE_TYPE) {
        const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_CALLBACK_ACE*>(header);
        sid = const_cast<DWORD*>(&ace->SidStart);
        mask = ace->Mask;
    } else {
        return;
    }
    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
    MapGenericMask(&mask, &mapping);
    security.allowed.push_back({TrusteeOf(sid), mask, (header->AceFlags & INHERIT_ONLY_ACE) != 0});
}

PathSecurity ReadSecurity(const std::wstring& path) {
    PathSecurity security;
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                              &owner, nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
        return security;
    }
    const UniqueLocalMemory held(descriptor);
    security.read = true;
    security.owner = TrusteeOf(owner);
    security.hasDacl = dacl != nullptr;
    for (DWORD index = 0; dacl != nullptr && index < dacl->AceCount; ++index) {
        void* ace = nullptr;
        if (GetAce(dacl, index, &ace)) AddAllowed(static_cast<const ACE_HEADER*>(ace), security);
    }
    return security;
}

}  // namespace

bool OthersCanChangeProgram(const std::wstring& exePath) {
    if (OthersCanChange(PathPart::File, ReadSecurity(exePath))) return true;
    std::wstring folder = FolderOf(exePath);
    if (folder.empty() || OthersCanChange(PathPart::Folder, ReadSecurity(folder))) return true;
    for (std::wstring above = FolderOf(folder); !above.empty() && above != folder; above = FolderOf(folder)) {
        folder = above;
        if (OthersCanChange(PathPart::Ancestor, ReadSecurity(folder))) return true;
    }
    return false;
}

}  // namespace tellurane
