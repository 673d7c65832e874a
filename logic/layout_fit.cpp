#include "logic/layout_fit.h"

#include <cmath>
#include <algorithm>
#include <utility>
#include <vector>

namespace tellurane {
namespace {

// Along one axis, how far each point moves: the least that gives every control too small the room it
// lacks between its own two edges, and moves nothing back. Controls in different rows that each lack
// some share it; controls in one row add up.
class Shifts {
public:
    void Need(int from, int to, double needed) {
        if (needed > to - from) needs_.push_back({from, to, static_cast<int>(std::ceil(needed - (to - from)))});
    }

    void Solve() {
        std::sort(needs_.begin(), needs_.end(), [](const Lack& a, const Lack& b) { return a.to < b.to; });
        for (const Lack& lack : needs_) {
            const int at = std::max(At(lack.to), At(lack.from) + lack.more);
            if (!steps_.empty() && steps_.back().first == lack.to) {
                steps_.back().second = at;
            } else {
                steps_.emplace_back(lack.to, at);
            }
        }
    }

    int At(int x) const {
        int shift = 0;
        for (auto [edge, moved] : steps_) {
            if (edge > x) break;
            shift = moved;
        }
        return shift;
    }

private:
    struct Lack {
        int from, to, more;
    };
    std::vector<Lack> needs_;
    std::vector<std::pair<int, int>> steps_;  // from each edge on, by this much; rising
};

}  // namespace

FittedLayout FitToTexts(const WindowLayout& layout, std::span<const TextRoom> needs) {
    Shifts columns, rows;
    for (const ControlLayout& control : layout.controls) {
        for (const TextRoom& need : needs) {
            if (need.id != control.id) continue;
            const TwipsPoint at = ClientPosition(layout, control);
            columns.Need(at.x, at.x + control.width, need.width);
            rows.Need(at.y, at.y + control.height, need.height);
        }
    }
    columns.Solve();
    rows.Solve();
    FittedLayout fitted{{layout.controls.begin(), layout.controls.end()},
                        layout.clientWidth + columns.At(layout.clientWidth),
                        layout.clientHeight + rows.At(layout.clientHeight)};
    for (std::size_t i = 0; i < fitted.controls.size(); ++i) {
        const ControlLayout& control = layout.controls[i];
        const TwipsPoint at = ClientPosition(layout, control);
        // Each edge moves as its point does; then from the inside of its container, as that moved.
        const TwipsPoint container{at.x - control.left, at.y - control.top};
        const int left = at.x + columns.At(at.x), top = at.y + rows.At(at.y);
        ControlLayout& out = fitted.controls[i];
        out.width = at.x + control.width + columns.At(at.x + control.width) - left;
        out.height = at.y + control.height + rows.At(at.y + control.height) - top;
        out.left = control.containerId == 0 ? left : left - (container.x + columns.At(container.x));
        out.top = control.containerId == 0 ? top : top - (container.y + rows.At(container.y));
    }
    return fitted;
}

}  // namespace tellurane
