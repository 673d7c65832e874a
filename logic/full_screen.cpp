#include "logic/full_screen.h"

namespace tellurane {

std::optional<std::size_t> FilledMonitor(const ForegroundWindow& window, std::span<const MonitorArea> monitors) {
    const PixelRect& rect = window.client;
    if (window.shell || monitors.empty() || rect.right <= rect.left || rect.bottom <= rect.top) return std::nullopt;
    const std::size_t index = MonitorForRect(rect, monitors);
    const PixelRect& screen = monitors[index].bounds;
    if (rect.left <= screen.left && rect.top <= screen.top && rect.right >= screen.right &&
        rect.bottom >= screen.bottom) {
        return index;
    }
    return std::nullopt;
}

bool StepsAside(const PixelRect& clock, std::optional<std::size_t> filled, WindowsSays windows,
                std::span<const MonitorArea> monitors) {
    if (windows == WindowsSays::Presentation) return true;
    return filled && !monitors.empty() && MonitorForRect(clock, monitors) == *filled;
}

}  // namespace tellurane
