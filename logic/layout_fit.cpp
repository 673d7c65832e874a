#include "logic/layout_fit.h"

#include <cmath>
#include <map>

namespace tellurane {
namespace {

// What each inserted column (or row) adds, by the edge it goes in at.
using Inserts = std::map<int, int>;

void Insert(Inserts& inserts, int edge, double needed, int has) {
    if (needed <= has) return;
    const int more = static_cast<int>(std::ceil(needed - has));
    int& at = inserts[edge];
    if (more > at) at = more;
}

// How far a point moves: every insert at or before it.
int Shift(const Inserts& inserts, int at) {
    int shift = 0;
    for (auto [edge, more] : inserts) {
        if (edge > at) break;
        shift += more;
    }
    return shift;
}

}  // namespace

FittedLayout FitToTexts(const WindowLayout& layout, std::span<const TextRoom> needs) {
    Inserts columns, rows;
    for (const ControlLayout& control : layout.controls) {
        for (const TextRoom& need : needs) {
            if (need.id != control.id) continue;
            const TwipsPoint at = ClientPosition(layout, control);
            Insert(columns, at.x + control.width, need.width, control.width);
            Insert(rows, at.y + control.height, need.height, control.height);
        }
    }
    FittedLayout fitted{{layout.controls.begin(), layout.controls.end()},
                        layout.clientWidth + Shift(columns, layout.clientWidth),
                        layout.clientHeight + Shift(rows, layout.clientHeight)};
    for (std::size_t i = 0; i < fitted.controls.size(); ++i) {
        const ControlLayout& control = layout.controls[i];
        const TwipsPoint at = ClientPosition(layout, control);
        // Moved as its own edges move, then from the inside of its container as that one moved.
        TwipsPoint container{0, 0}, containerShift{0, 0};
        if (control.containerId != 0) {
            const TwipsPoint outer{at.x - control.left, at.y - control.top};
            container = outer;
            containerShift = {Shift(columns, outer.x), Shift(rows, outer.y)};
        }
        ControlLayout& out = fitted.controls[i];
        const int left = at.x + Shift(columns, at.x), top = at.y + Shift(rows, at.y);
        out.width = at.x + control.width + Shift(columns, at.x + control.width) - left;
        out.height = at.y + control.height + Shift(rows, at.y + control.height) - top;
        out.left = left - (container.x + containerShift.x);
        out.top = top - (container.y + containerShift.y);
    }
    return fitted;
}

}  // namespace tellurane
