#pragma once
// Room for texts longer than the English ones the layouts were drawn for.

#include <span>
#include <vector>

#include "logic/window_layout.h"

namespace tellurane {

// The room a control's text needs, in twips; what fits is left as it is.
struct TextRoom {
    int id;
    double width;
    double height;
};

struct FittedLayout {
    std::vector<ControlLayout> controls;  // in the layout's order, each from the inside of its container
    int clientWidth;
    int clientHeight;
};

// Where a control is too narrow, the space from its right edge on moves over by what it lacks: what lies
// right of that edge moves, what spans it (a frame, the window) grows. Too low: what lies below it moves
// down. Controls in different rows that each lack room share one move, the largest; so controls that
// were aligned stay aligned, and a layout whose texts fit comes back unchanged.
FittedLayout FitToTexts(const WindowLayout& layout, std::span<const TextRoom> needs);

}  // namespace tellurane
