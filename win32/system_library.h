#pragma once
// Windows' own libraries, from System32 only, loaded at their first use and kept. For libraries the
// program needs only now and then (the colour dialog, a screen reader's questions), which would
// otherwise be loaded, with what they load in turn, into every clock at start; and for functions that
// older versions of Windows lack, which an import would stop the program from starting on.

#include <windows.h>

namespace tellurane {

// The library already in the process, else loaded from System32 (never the program's folder first);
// nullptr when it is not there.
inline HMODULE SystemModule(const wchar_t* library) noexcept {
    HMODULE module = GetModuleHandleW(library);
    return module ? module : LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// nullptr when the library or the function is not there.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) noexcept {
    HMODULE module = SystemModule(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace tellurane
