#pragma once
// A function of a Windows library loaded from System32 at its first use and kept: for libraries the
// program needs only now and then (the colour dialog, a screen reader's questions), which would
// otherwise be loaded, with what they load in turn, into every clock at start.

#include <windows.h>

namespace tellurane {

// nullptr when the library or the function is not there.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) noexcept {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace tellurane
