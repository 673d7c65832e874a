#include "logic/window_layout.h"

#include <algorithm>

namespace tellurane {

std::wstring Resolve(const LayoutText& text) { return text.id ? Tr(text.id) : std::wstring(text.fixed); }

TwipsPoint ClientPosition(const WindowLayout& window, const ControlLayout& control) {
    TwipsPoint point{control.left, control.top};
    if (control.containerId == 0) return point;
    for (const auto& container : window.controls) {
        if (container.id == control.containerId) {
            const TwipsPoint outer = ClientPosition(window, container);
            point.x += outer.x;
            point.y += outer.y;
            break;
        }
    }
    return point;
}

TwipsSize FaceSizeForClient(const WindowLayout& window, int controlId, double clientWidth, double clientHeight) {
    for (const auto& control : window.controls) {
        if (control.id != controlId) continue;
        const TwipsPoint at = ClientPosition(window, control);
        const double right = window.clientWidth - at.x - control.width;
        const double bottom = window.clientHeight - at.y - control.height;
        return {std::max(0.0, clientWidth - at.x - right), std::max(0.0, clientHeight - at.y - bottom)};
    }
    return {0, 0};
}

}  // namespace tellurane
