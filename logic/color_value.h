#pragma once
// Colour values as the program stores them: red in bits 0-7, green 8-15, blue 16-23;
// with bit 31 set, the low byte names a system colour instead.

#include <cstdint>

namespace tellurane {

using ColorValue = std::uint32_t;

inline constexpr ColorValue kSystemColorFlag = 0x80000000u;
inline constexpr ColorValue kButtonFaceColor = 0x8000000Fu;
inline constexpr ColorValue kButtonTextColor = 0x80000012u;
inline constexpr ColorValue kWindowTextColor = 0x80000008u;
inline constexpr ColorValue kWhite = 0x00FFFFFFu;
inline constexpr ColorValue kBlack = 0x00000000u;

inline constexpr bool IsSystemColor(ColorValue value) { return (value & kSystemColorFlag) != 0; }
inline constexpr int SystemColorIndex(ColorValue value) { return static_cast<int>(value & 0xFFu); }
inline constexpr std::uint32_t RgbOf(ColorValue value) { return value & 0x00FFFFFFu; }

}  // namespace tellurane
