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

TEST(FullScreen, AWindowFillsAMonitorOnlyWhenItCoversItTaskbarIncluded) {
    struct Case {
        const char* what;
        ForegroundWindow window;
        std::optional<std::size_t> filled;
    };
    for (const Case& c : {
             Case{"borderless, the size of the first monitor", {{0, 0, 1920, 1080}}, 0},
             Case{"larger than the monitor (a frame hanging outside)", {{-8, -8, 1928, 1088}}, 0},
             Case{"maximised, above the taskbar", {{-8, -8, 1928, 1048}}, std::nullopt},
             Case{"the size of the work area", {{0, 0, 1920, 1040}}, std::nullopt},
             Case{"full screen on the second monitor", {{1920, 0, 3200, 1024}}, 1},
             Case{"across both, covering neither whole", {{960, 0, 2560, 1024}}, std::nullopt},
             Case{"the desktop, which covers everything", {{0, 0, 3200, 1080}, true}, std::nullopt},
             Case{"a window with no size", {{0, 0, 0, 0}}, std::nullopt},
         }) {
        EXPECT_EQ(FilledMonitor(c.window, kMonitors), c.filled) << c.what;
    }
}

TEST(FullScreen, OnlyTheClocksOnTheFilledMonitorStepAsideUnlessWindowsSaysSo) {
    const PixelRect onFirst{100, 100, 500, 160}, onSecond{2000, 100, 2400, 160};
    EXPECT_TRUE(StepsAside(onFirst, 0, false, kMonitors));
    EXPECT_FALSE(StepsAside(onSecond, 0, false, kMonitors));
    EXPECT_TRUE(StepsAside(onSecond, 1, false, kMonitors));
    EXPECT_FALSE(StepsAside(onFirst, std::nullopt, false, kMonitors));
    EXPECT_TRUE(StepsAside(onSecond, std::nullopt, true, kMonitors)) << "a presentation: every monitor";
}

}  // namespace
}  // namespace tellurane
