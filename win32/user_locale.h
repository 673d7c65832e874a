#pragma once
#include <windows.h>

#include <string>

namespace tellurane {

// One text of the user's regional settings, or the fallback when Windows has none.
std::wstring UserLocaleInfo(LCTYPE type, const wchar_t* fallback);

}  // namespace tellurane
