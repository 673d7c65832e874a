#pragma once
#include <string_view>

#ifndef TELLURANE_SUPPORT_EMAIL
#define TELLURANE_SUPPORT_EMAIL L"support@marrowick.example"
#endif

namespace tellurane {

// Set at build time (CMake cache variable TELLURANE_SUPPORT_EMAIL).
inline constexpr std::wstring_view kSupportAddress = TELLURANE_SUPPORT_EMAIL;

}  // namespace tellurane
