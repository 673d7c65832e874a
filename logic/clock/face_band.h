#pragma once
// Which part of the face's line must be drawn again when its text changes: from one second to the next
// only the last digit or two change, and with digits in cells of one width the rest keeps its place.

#include <optional>
#include <string_view>
#include <vector>

namespace tellurane {

// Where one line of text lies: the x of each character's start, from 0, and the width of the line.
struct LineLayout {
    std::vector<int> x;
    int width = 0;
};

// [from, to) in the line's own x; from == to when nothing changed.
struct TextSpan {
    int from = 0;
    int to = 0;
};

// The span that covers every character that differs, in both layouts; none when the line moved as a
// whole (another length, another width, or a kept character in another place): then all of it.
std::optional<TextSpan> ChangedSpan(std::wstring_view before, const LineLayout& beforeLayout, std::wstring_view after,
                                    const LineLayout& afterLayout);

}  // namespace tellurane
