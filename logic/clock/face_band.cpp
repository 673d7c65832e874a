#include "logic/clock/face_band.h"

#include <algorithm>

namespace tellurane {
namespace {

int EndOf(const LineLayout& layout, std::size_t i) { return i + 1 < layout.x.size() ? layout.x[i + 1] : layout.width; }

}  // namespace

std::optional<TextSpan> ChangedSpan(std::wstring_view before, const LineLayout& beforeLayout, std::wstring_view after,
                                    const LineLayout& afterLayout) {
    const std::size_t count = before.size();
    if (after.size() != count || beforeLayout.x.size() != count || afterLayout.x.size() != count ||
        beforeLayout.width != afterLayout.width) {
        return std::nullopt;
    }
    std::optional<TextSpan> span;
    for (std::size_t i = 0; i < count; ++i) {
        if (before[i] == after[i]) {
            // The same character at the same place draws the same pixels.
            if (beforeLayout.x[i] != afterLayout.x[i]) return std::nullopt;
            continue;
        }
        const int from = std::min(beforeLayout.x[i], afterLayout.x[i]);
        const int to = std::max(EndOf(beforeLayout, i), EndOf(afterLayout, i));
        span = span ? TextSpan{std::min(span->from, from), std::max(span->to, to)} : TextSpan{from, to};
    }
    return span ? span : TextSpan{};
}

}  // namespace tellurane
