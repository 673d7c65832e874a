// Loaded into a running program by a test: sets, from inside that program, the system colours the
// test put in the shared block, as choosing a contrast theme does while programs run. Wine keeps
// each process's own copy of the system colours, so a change made in the test process alone never
// reaches the program; made here, it also sends the WM_SYSCOLORCHANGE that every window gets.

#include <windows.h>

#include "tests/helpers/scheme_block.h"

namespace {

DWORD WINAPI Apply(void* module) {
    using tellurane::support::SchemeBlock;
    if (HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, tellurane::support::kSchemeBlockName)) {
        if (const auto* scheme = static_cast<const SchemeBlock*>(
                MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(SchemeBlock)))) {
            if (scheme->count > 0 && scheme->count <= 8) SetSysColors(scheme->count, scheme->indexes, scheme->colours);
            UnmapViewOfFile(scheme);
        }
        CloseHandle(mapping);
    }
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

}  // namespace

// Nothing more may happen under the loader's lock: the work is done by a thread of its own.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(module);
        if (HANDLE thread = CreateThread(nullptr, 0, &Apply, module, 0, nullptr)) CloseHandle(thread);
    }
    return TRUE;
}
