#pragma once
// The system colours a test asks a running program to set: a block of shared memory, by name.

#include <windows.h>

namespace tellurane::support {

inline constexpr wchar_t kSchemeBlockName[] = L"Local\\TelluraneTestScheme";

struct SchemeBlock {
    int count = 0;
    int indexes[8] = {};
    COLORREF colours[8] = {};
};

}  // namespace tellurane::support
