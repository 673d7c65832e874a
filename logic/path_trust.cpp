#include "logic/path_trust.h"

namespace tellurane {
namespace {

std::uint32_t HarmfulRights(PathPart part) {
    // Owning a thing, or rewriting its access list, is the power to give oneself every other right.
    const std::uint32_t always = rights::kDelete | rights::kWriteDac | rights::kWriteOwner;
    switch (part) {
        case PathPart::File:
            return always | rights::kWriteData | rights::kAppendData;
        case PathPart::Folder:
            return always | rights::kWriteData | rights::kDeleteChild;
        case PathPart::Ancestor:
            return always | rights::kDeleteChild;
    }
    return always;
}

}  // namespace

bool OthersCanChange(PathPart part, const PathSecurity& security) {
    if (!security.read || !security.hasDacl) return true;
    const bool ownerTrusted = security.owner == Trustee::Administrators;
    if (!ownerTrusted) return true;
    const std::uint32_t harmful = HarmfulRights(part);
    for (const AllowedAccess& entry : security.allowed) {
        if (entry.inheritOnly || (entry.mask & harmful) == 0) continue;
        if (entry.trustee == Trustee::Others) return true;
    }
    return false;
}

}  // namespace tellurane
