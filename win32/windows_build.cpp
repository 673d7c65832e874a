#include "win32/windows_build.h"

#include <utility>

#include "win32/system_library.h"

namespace tellurane {
namespace {

DWORD RealWindowsBuild() {
    using Fn = LONG(WINAPI*)(OSVERSIONINFOW*);
    static const DWORD build = [] {
        const auto get = SystemFunction<Fn>(L"ntdll.dll", "RtlGetVersion");
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
