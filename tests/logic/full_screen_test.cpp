// Which foreground windows are programs in full screen, and which clocks step aside for them.

#include "logic/full_screen.h"

#include <gtest/gtest.h>

#include <array>

namespace tellurane {
namespace {

// Two monitors side by side: 1920x1080 with a 40-pixel taskbar at the bottom, and 1280x1024 on its right.
constexpr std::array<MonitorArea, 2> kMonitors{
    MonitorArea{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96},
    MonitorArea{{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, 144},
};

// Judged by the client area: on Windows 10 and 11 a maximised window's frame is about 8 pixels larger
// than the work area on each side, and on a monitor without a taskbar that covers the whole monitor.
TEST(FullScreen, AWindowFillsAMonitorOnlyWhenItsClientAreaCoversItTaskbarIncluded) {
    struct Case {
        const char* what;
        ForegroundWindow window;
        std::optional<std::size_t> filled;
    };
    for (const Case& c : {
             Case{"borderless, the size of the first monitor", {{0, 0, 1920, 1080}}, 0},
             Case{"borderless and 8 pixels larger on each side", {{-8, -8, 1928, 1088}}, 0},
             Case{"maximised with a caption, above the taskbar", {{0, 23, 1920, 1040}}, std::nullopt},
             Case{"maximised with a caption, on a monitor without a taskbar", {{1920, 23, 3200, 1024}}, std::nullopt},
             Case{"maximised, a pixel short at the bottom", {{1920, 0, 3200, 1023}}, std::nullopt},
             Case{"maximised, a pixel short at the left", {{1921, 0, 3200, 1024}}, std::nullopt},
             Case{"the size of the work area", {{0, 0, 1920, 1040}}, std::nullopt},
             Case{"full screen on the second monitor", {{1920, 0, 3200, 1024}}, 1},
             Case{"across both, covering neither whole", {{960, 0, 2560, 1024}}, std::nullopt},
             Case{"the desktop, which covers everything", {{0, 0, 3200, 1080}, true}, std::nullopt},
             Case{"a window with no size", {{0, 0, 0, 0}}, std::nullopt},
         }) {
        EXPECT_EQ(FilledMonitor(c.window, kMonitors), c.filled) << c.what;
    }
}

// Windows' "busy" and "Direct3D full screen" answers are machine-wide: a film on the second monitor
// says them to clocks on the first too. Only the windows decide; presentation mode moves every clock.
TEST(FullScreen, OnlyTheClocksOnTheFilledMonitorStepAsideUnlessInPresentationMode) {
    const PixelRect onFirst{100, 100, 500, 160}, onSecond{2000, 100, 2400, 160};
    struct Case {
        std::optional<std::size_t> filled;
        WindowsSays windows;
        bool first, second;
    };
    for (const Case& c : {
             Case{0, WindowsSays::Nothing, true, false},
             Case{1, WindowsSays::Nothing, false, true},
             Case{std::nullopt, WindowsSays::Nothing, false, false},
             Case{1, WindowsSays::FullScreenSomewhere, false, true},
             Case{std::nullopt, WindowsSays::FullScreenSomewhere, false, false},
             Case{std::nullopt, WindowsSays::Presentation, true, true},
             Case{0, WindowsSays::Presentation, true, true},
         }) {
        const int windows = static_cast<int>(c.windows);
        EXPECT_EQ(StepsAside(onFirst, c.filled, c.windows, kMonitors), c.first) << windows;
        EXPECT_EQ(StepsAside(onSecond, c.filled, c.windows, kMonitors), c.second) << windows;
    }
}

}  // namespace
}  // namespace tellurane
