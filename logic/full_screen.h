#pragma once
// When a clock steps aside: the foreground window is a program in full screen (a game, a film, a slide
// show) on the clock's monitor. No <windows.h>: the rule is tested over tables of windows and monitors.

#include <cstddef>
#include <optional>
#include <span>

#include "logic/placement.h"

namespace tellurane {

struct ForegroundWindow {
    PixelRect rect;
    bool shell = false;  // the desktop or the taskbar: never a program in full screen
};

// The monitor a foreground window fills: it covers the whole of it, taskbar included (a maximised
// window leaves the taskbar, and is no full screen). Nothing for the shell or a window that fills none.
std::optional<std::size_t> FilledMonitor(const ForegroundWindow& window, std::span<const MonitorArea> monitors);

// Whether a clock at this rectangle steps aside: a window fills its monitor, or Windows says that a
// full-screen program or a presentation runs (then on every monitor).
bool StepsAside(const PixelRect& clock, std::optional<std::size_t> filled, bool windowsSaysFullScreen,
                std::span<const MonitorArea> monitors);

}  // namespace tellurane
