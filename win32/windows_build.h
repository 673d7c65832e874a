#pragma once
// The build number of the Windows we run on, for the few behaviours documented per build.

#include <windows.h>

namespace tellurane {

// From RtlGetVersion, which answers truly whatever the manifest declares; 0 when unknown.
DWORD WindowsBuild() noexcept;

// What WindowsBuild asks; tests put in their own. nullptr: the real one again.
using WindowsBuildQuery = DWORD (*)();
WindowsBuildQuery SetWindowsBuildQuery(WindowsBuildQuery query) noexcept;

// Windows 11 (build 22000) repaints a caption when its dark-mode attribute changes; Windows 10 only at
// the next activation.
inline bool CaptionFollowsDarkModeAtOnce(DWORD build) noexcept { return build >= 22000; }

}  // namespace tellurane
