#include "win32/windows_build.h"

#include <utility>

namespace tellurane {
namespace {

DWORD RealWindowsBuild() {
    using Fn = LONG(WINAPI*)(OSVERSIONINFOW*);
    static const DWORD build = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        const auto get = ntdll ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                               : nullptr;
        OSVERSIONINFOW info{sizeof info};
        return get && get(&info) == 0 ? info.dwBuildNumber : DWORD{0};
    }();
    return build;
}

WindowsBuildQuery g_query = &RealWindowsBuild;

}  // namespace

DWORD WindowsBuild() noexcept { return g_query(); }

WindowsBuildQuery SetWindowsBuildQuery(WindowsBuildQuery query) noexcept {
    return std::exchange(g_query, query ? query : &RealWindowsBuild);
}

}  // namespace tellurane
