#include "logic/text_shaping.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace tellurane {
namespace {

struct Range {
    wchar_t first, last;
};

constexpr Range kWholeLineRanges[] = {
    {0x0300, 0x036F},  // combining marks
    {0x0591, 0x08FF},  // Hebrew, Arabic, Syriac, Thaana, N'Ko, Samaritan, Mandaic, Arabic supplements
    {0x0900, 0x0DFF},  // Devanagari to Sinhala
    {0x0E00, 0x0EFF},  // Thai, Lao
    {0x0F00, 0x109F},  // Tibetan, Myanmar
    {0x1780, 0x17FF},  // Khmer
    {0x200C, 0x200F},  // joiners and direction marks
    {0x202A, 0x202E},  // embeddings and overrides
    {0x2066, 0x2069},  // isolates
    {0xD800, 0xDFFF},  // surrogates: a character of two units, never drawn as one
    {0xFB1D, 0xFDFF},  // Hebrew and Arabic presentation forms
    {0xFE70, 0xFEFF},  // Arabic presentation forms B
};

}  // namespace

bool NeedsWholeLineShaping(std::wstring_view line) noexcept {
    return std::any_of(line.begin(), line.end(), [](wchar_t c) {
        // A character past the first plane: a surrogate pair on Windows, one unit where wchar_t is wider.
        if (static_cast<std::uint32_t>(c) >> 16 != 0) return true;
        return std::any_of(std::begin(kWholeLineRanges), std::end(kWholeLineRanges),
                           [c](const Range& range) { return c >= range.first && c <= range.last; });
    });
}

}  // namespace tellurane
