#pragma once
// Text that can be read on what is painted under it, whatever colours the system gives.

#include <cstdint>

namespace tellurane {

// The contrast ratio of two 0x00BBGGRR colours, from their relative luminance: 1 (the same) to 21
// (black on white). 4.5 is what normal text needs to be readable by people with low vision.
double ContrastRatio(std::uint32_t first, std::uint32_t second) noexcept;

inline constexpr double kReadableContrast = 4.5;

// The wanted text colour when it reads on the background; otherwise black or white, whichever
// reads better there.
std::uint32_t ReadableOn(std::uint32_t background, std::uint32_t wanted) noexcept;

}  // namespace tellurane
