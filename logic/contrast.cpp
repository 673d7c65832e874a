#include "logic/contrast.h"

#include <algorithm>
#include <cmath>

namespace tellurane {
namespace {

double Channel(std::uint32_t value) {
    const double c = static_cast<double>(value & 0xFFu) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t rgb) {
    return 0.2126 * Channel(rgb) + 0.7152 * Channel(rgb >> 8) + 0.0722 * Channel(rgb >> 16);
}

constexpr std::uint32_t kBlackRgb = 0x000000;
constexpr std::uint32_t kWhiteRgb = 0xFFFFFF;

}  // namespace

double ContrastRatio(std::uint32_t first, std::uint32_t second) noexcept {
    const double a = Luminance(first), b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::uint32_t ReadableOn(std::uint32_t background, std::uint32_t wanted) noexcept {
    if (ContrastRatio(background, wanted) >= kReadableContrast) return wanted;
    return ContrastRatio(background, kBlackRgb) >= ContrastRatio(background, kWhiteRgb) ? kBlackRgb : kWhiteRgb;
}

}  // namespace tellurane
