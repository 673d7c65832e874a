#pragma once
// When a clock steps aside: the foreground window is a program in full screen (a game, a film, a slide
// show) on the clock's monitor. No <windows.h>: the rule is tested over tables of windows and monitors.

#include <cstddef>
#include <optional>
#include <span>

#include "logic/placement.h"

namespace tellurane {

struct ForegroundWindow {
    // The client area, in screen pixels: a maximised window's frame hangs over the monitor's edges
    // (about 8 pixels on each side), but its caption and borders keep its client area off them.
    PixelRect client;
    bool shell = false;  // the desktop or the taskbar: never a program in full screen
};

// The monitor a foreground window fills: its client area covers the whole of it, taskbar included (a
// maximised window leaves the taskbar, or its caption, and is no full screen). Nothing for the shell
// or a window that fills none.
std::optional<std::size_t> FilledMonitor(const ForegroundWindow& window, std::span<const MonitorArea> monitors);

// What Windows itself says (SHQueryUserNotificationState). Its "busy" and "Direct3D full screen" are
// for the whole machine: they only send the windows to be looked at again. Presentation mode is the
// user's own word that nothing should pop up anywhere.
enum class WindowsSays { Nothing, FullScreenSomewhere, Presentation };

// Whether a clock at this rectangle steps aside: a window fills its monitor, or the user turned on
// presentation mode (then on every monitor).
bool StepsAside(const PixelRect& clock, std::optional<std::size_t> filled, WindowsSays windows,
                std::span<const MonitorArea> monitors);

}  // namespace tellurane
