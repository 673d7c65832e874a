#include "logic/placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace tellurane {
namespace {

PixelRect Rect(long left, long top, long width, long height) { return {left, top, left + width, top + height}; }

// A monitor with a 40-pixel taskbar along the bottom.
MonitorArea Monitor(long left, long top, long width, long height, int dpi) {
    return {Rect(left, top, width, height), Rect(left, top, width, height - 40), dpi};
}

std::array<long, 4> Pixels(const PixelRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

std::array<double, 4> Numbers(const StoredPlace& place) { return {place.left, place.top, place.width, place.height}; }

const MonitorArea kPrimary = Monitor(0, 0, 1920, 1080, 96);
const MonitorArea kRight = Monitor(1920, 0, 2560, 1440, 96);
const MonitorArea kLeft = Monitor(-2560, -200, 2560, 1440, 192);
const std::vector<MonitorArea> kDesktop{kPrimary, kRight, kLeft};

TEST(MonitorForRect, PicksTheMonitorOverlappedMostElseTheNearest) {
    const std::pair<PixelRect, std::size_t> cases[] = {
        {Rect(1800, 100, 300, 100), 1},                 // more of it on the right one
        {Rect(1820, 100, 200, 100), 0},                 // half each: the lower index
        {Rect(5000, 100, 10, 10), 1},                   // off the right edge
        {Rect(300, -450, 0, 0), 2},                     // above the primary, diagonally nearer the left one
        {Rect(500, 1200, 0, 0), 0},                     // below the primary, nearer it than the right one
        {Rect(3000, 500, 0, 0), 1},                     // empty, inside
        {{LONG_MIN, LONG_MIN, LONG_MAX, LONG_MAX}, 1},  // covers all: the two larger ones tie
        {{2000, 100, 1800, 50}, 1},                     // inverted: empty, at its top-left corner
    };
    for (const auto& [rect, expected] : cases) {
        EXPECT_EQ(MonitorForRect(rect, kDesktop), expected) << testing::PrintToString(Pixels(rect));
    }
    // As near to two monitors as to each other: the lower index, in either order.
    const std::vector<MonitorArea> apart{Monitor(0, 0, 100, 100, 96), Monitor(200, 0, 100, 100, 96)};
    EXPECT_EQ(MonitorForRect(Rect(150, 50, 0, 0), apart), 0u);
    EXPECT_EQ(MonitorForRect(Rect(150, 50, 0, 0), std::vector<MonitorArea>{apart[1], apart[0]}), 0u);
}

TEST(Placement, EveryMixOfScalingsComesBackOnTheSameMonitorAtTheSamePlaceAndSize) {
    struct Layout {
        const char* name;
        long left, top;        // of a 2560x1440 second monitor
        PixelRect straddling;  // mostly on the monitor under its top-left corner
        std::size_t straddlingOn;
    };
    const Layout layouts[] = {
        {"right", 1920, 200, Rect(1700, 500, 301, 207), 0},
        {"left", -2560, -300, Rect(-251, 400, 301, 207), 1},
        {"above", -500, -1440, Rect(300, -151, 233, 181), 1},
        {"below", 400, 1080, Rect(900, 900, 233, 229), 0},
    };
    for (const Layout& layout : layouts) {
        for (int primaryDpi : {96, 120, 144, 168, 192}) {
            for (int secondDpi : {96, 120, 144, 168, 192}) {
                const std::vector<MonitorArea> desktop{Monitor(0, 0, 1920, 1080, primaryDpi),
                                                       Monitor(layout.left, layout.top, 2560, 1440, secondDpi)};
                const std::pair<PixelRect, std::size_t> windows[] = {
                    {Rect(101, 99, 317, 211), 0},
                    {Rect(layout.left + 123, layout.top + 77, 331, 209), 1},
                    {layout.straddling, layout.straddlingOn},
                };
                for (const auto& [base, on] : windows) {
                    // Seven steps meet every rounding remainder (at 168 DPI 7 pixels are 60 twips).
                    for (long step = 0; step < 7; ++step) {
                        const PixelRect window{base.left - step, base.top - step, base.right + step, base.bottom};
                        SCOPED_TRACE(testing::Message() << layout.name << " " << primaryDpi << "/" << secondDpi << " "
                                                        << testing::PrintToString(Pixels(window)));
                        ASSERT_EQ(MonitorForRect(window, desktop), on);
                        const StoredPlace stored = PlaceToStore(window, desktop, primaryDpi);
                        for (double number : Numbers(stored)) EXPECT_EQ(number, std::round(number));
                        const Placement restored = PlaceFromStore(stored, desktop, primaryDpi, true);
                        EXPECT_EQ(Pixels(restored.rect), Pixels(window));
                        EXPECT_EQ(restored.monitor, on);
                    }
                }
            }
        }
    }
}

TEST(Placement, AStraddlingWindowThatReadsTwoWaysIsSizedForTheMonitorUnderItsCorner) {
    const std::vector<MonitorArea> desktop{Monitor(0, 0, 1000, 1000, 96), Monitor(1000, 0, 1000, 1000, 192)};
    const PixelRect mostlyOnTheRight = Rect(900, 100, 300, 300), mostlyOnTheLeft = Rect(900, 100, 150, 150);
    const StoredPlace stored = PlaceToStore(mostlyOnTheRight, desktop, 96);
    EXPECT_EQ(Numbers(stored), Numbers(PlaceToStore(mostlyOnTheLeft, desktop, 96)));
    const Placement restored = PlaceFromStore(stored, desktop, 96, true);
    EXPECT_EQ(Pixels(restored.rect), Pixels(mostlyOnTheLeft));
    EXPECT_EQ(restored.monitor, 0u);
}

TEST(Placement, AWindowOnAMonitorSinceRemovedMovesWhollyOntoTheNearestWorkAreaAtItsScaling) {
    struct Case {
        const char* what;
        PixelRect window;  // on kDesktop
        std::vector<MonitorArea> now;
        PixelRect expected;  // on now[0]
    };
    const Case cases[] = {
        {"left one gone: same inches at half the DPI, pushed right, top kept",
         Rect(-2000, 300, 400, 250),
         {kPrimary, kRight},
         {0, 300, 200, 425}},
        {"right one gone: larger than the primary's work area, shrunk to it",
         Rect(2100, 50, 2400, 1300),
         {kPrimary, kLeft},
         {0, 0, 1920, 1040}},
        {"taskbars along the left and the top: inside the work area, not just the screen",
         Rect(-2000, -150, 400, 250),
         {{Rect(0, 0, 1920, 1080), {60, 40, 1920, 1080}, 96}},
         {60, 40, 260, 165}},
        {"only the left one left: twice the pixels at twice the DPI",
         Rect(3000, 600, 400, 250),
         {kLeft},
         {-800, 600, 0, 1100}},
    };
    for (const Case& c : cases) {
        const Placement restored = PlaceFromStore(PlaceToStore(c.window, kDesktop, 96), c.now, 96, true);
        EXPECT_EQ(Pixels(restored.rect), Pixels(c.expected)) << c.what;
        EXPECT_EQ(restored.monitor, 0u) << c.what;
    }
}

TEST(Placement, APartlyVisibleWindowStaysAsStoredAndNothingMovesWithoutBringOnScreen) {
    const std::pair<PixelRect, bool> cases[] = {
        {Rect(-2700, 300, 400, 250), true},  // hanging off the left edge of the 200 % monitor
        {Rect(100, -200, 300, 240), true},   // 40 pixels showing; its corner is nearer the 200 % monitor
        {Rect(4400, 1400, 300, 200), true},  // only a corner showing
        {Rect(10000, 10000, 300, 200), false}, {Rect(-9000, 300, 300, 200), false},
    };
    for (const auto& [window, bringOnScreen] : cases) {
        const Placement restored = PlaceFromStore(PlaceToStore(window, kDesktop, 96), kDesktop, 96, bringOnScreen);
        EXPECT_EQ(Pixels(restored.rect), Pixels(window));
    }
}

TEST(Placement, HostileStoredNumbersGiveASaneWindow) {
    constexpr double kHuge = std::numeric_limits<double>::max(), kInf = std::numeric_limits<double>::infinity();
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const StoredPlace places[] = {
        {1e9, 1e9, 1e9, 1e9},      {-1e9, -1e9, 1e9, 1e9},   {0, 0, -1e9, -5},        {kHuge, -kHuge, kHuge, kHuge},
        {kInf, kInf, kInf, -kInf}, {kNaN, kNaN, kNaN, kNaN}, {-1e9, 100, 3000, 2000}, {3.4e38f, 1.5, 1e-30, 7.25},
    };
    for (const StoredPlace& place : places) {
        for (bool bringOnScreen : {true, false}) {
            SCOPED_TRACE(testing::PrintToString(Numbers(place)) + (bringOnScreen ? " brought on screen" : ""));
            const Placement placement = PlaceFromStore(place, kDesktop, 96, bringOnScreen);
            const PixelRect& rect = placement.rect;
            ASSERT_LT(placement.monitor, kDesktop.size());
            EXPECT_TRUE(rect.left <= rect.right && rect.top <= rect.bottom);
            for (long number : Pixels(rect)) EXPECT_LT(std::abs(number), INT32_MAX / 2);  // so right - left fits too
            if (!bringOnScreen) continue;
            const PixelRect& work = kDesktop[placement.monitor].work;
            const bool inWorkArea = rect.left >= work.left && rect.right <= work.right && rect.top >= work.top &&
                                    rect.bottom <= work.bottom;
            const bool overlapsAMonitor = std::any_of(kDesktop.begin(), kDesktop.end(), [&](const MonitorArea& m) {
                return std::min(rect.right, m.bounds.right) > std::max(rect.left, m.bounds.left) &&
                       std::min(rect.bottom, m.bounds.bottom) > std::max(rect.top, m.bounds.top);
            });
            EXPECT_TRUE(inWorkArea || overlapsAMonitor) << testing::PrintToString(Pixels(rect));
        }
    }
    // A DPI of zero or less reads as 96 rather than dividing by it.
    std::vector<MonitorArea> zeroDpi = kDesktop;
    for (MonitorArea& monitor : zeroDpi) monitor.dpi = 0;
    const PixelRect window = Rect(-300, 200, 400, 250);
    const StoredPlace stored = PlaceToStore(window, zeroDpi, -1);
    EXPECT_EQ(stored.width, 6000);
    EXPECT_EQ(Pixels(PlaceFromStore(stored, zeroDpi, 0, true).rect), Pixels(window));
}

TEST(SnapMove, EdgesWithinTheDistanceLineUpWithTheWorkAreaAndOtherClocks) {
    const PixelRect work{0, 0, 1000, 700};
    const std::vector<PixelRect> others{Rect(500, 300, 200, 100)};
    struct Case {
        const char* what;
        PixelRect moving, expected;
    };
    const Case cases[] = {
        {"nothing near", Rect(200, 150, 150, 80), Rect(200, 150, 150, 80)},
        {"work area's left, from inside", Rect(5, 150, 150, 80), Rect(0, 150, 150, 80)},
        {"work area's left, from outside", Rect(-7, 150, 150, 80), Rect(0, 150, 150, 80)},
        {"exactly at the distance", Rect(10, 150, 150, 80), Rect(0, 150, 150, 80)},
        {"one past it", Rect(11, 150, 150, 80), Rect(11, 150, 150, 80)},
        {"work area's right", Rect(843, 150, 150, 80), Rect(850, 150, 150, 80)},
        {"both axes: work area's top-left corner", Rect(4, -3, 150, 80), Rect(0, 0, 150, 80)},
        {"work area's bottom", Rect(200, 626, 150, 80), Rect(200, 620, 150, 80)},
        {"left onto the clock's right", Rect(706, 340, 150, 80), Rect(700, 340, 150, 80)},
        {"right onto the clock's left", Rect(342, 340, 150, 80), Rect(350, 340, 150, 80)},
        {"below it: top onto its bottom, left edges aligned", Rect(506, 407, 150, 80), Rect(500, 400, 150, 80)},
        {"above it: bottom onto its top, right edges aligned", Rect(553, 217, 150, 80), Rect(550, 220, 150, 80)},
        {"beside it, a corner's gap within the distance", Rect(704, 408, 150, 80), Rect(700, 400, 150, 80)},
        {"far below it: its edges do not count", Rect(506, 520, 150, 80), Rect(506, 520, 150, 80)},
        {"the nearer of two edges wins", Rect(706, 303, 150, 90), Rect(700, 300, 150, 90)},
        {"a tie: the work area's edge", Rect(5, 340, 490, 80), Rect(0, 340, 490, 80)},
        {"work area's right, one past", Rect(839, 150, 150, 80), Rect(839, 150, 150, 80)},
        {"work area's bottom, one past", Rect(200, 609, 150, 80), Rect(200, 609, 150, 80)},
        // A clock beside the other one on one axis lines up with it only within the distance of touching.
        {"below it, exactly the distance", Rect(706, 410, 150, 80), Rect(700, 400, 150, 80)},
        {"below it, one past", Rect(706, 411, 150, 80), Rect(706, 411, 150, 80)},
        {"above it, exactly the distance", Rect(706, 210, 150, 80), Rect(700, 220, 150, 80)},
        {"above it, one past", Rect(706, 209, 150, 80), Rect(706, 209, 150, 80)},
        {"left of it, exactly the distance", Rect(340, 303, 150, 80), Rect(350, 300, 150, 80)},
        {"left of it, one past", Rect(339, 303, 150, 80), Rect(339, 303, 150, 80)},
        {"right of it, exactly the distance", Rect(710, 303, 150, 80), Rect(700, 300, 150, 80)},
        {"right of it, one past", Rect(711, 303, 150, 80), Rect(711, 303, 150, 80)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Pixels(SnapMove(c.moving, work, others, 10)), Pixels(c.expected)) << c.what;
    }
    EXPECT_EQ(Pixels(SnapMove(Rect(20, 150, 150, 80), work, {}, 20)), Pixels(Rect(0, 150, 150, 80)))
        << "the distance given (20 at 192 DPI)";
}

TEST(KeepInside, AWindowCutByTheWorkAreaMovesTheLeastToBeWhollyInside) {
    const PixelRect work{0, 0, 1000, 700};
    struct Case {
        const char* what;
        PixelRect rect, expected;
    };
    const Case cases[] = {
        {"already inside", Rect(100, 100, 200, 100), Rect(100, 100, 200, 100)},
        {"filling it exactly", Rect(0, 0, 1000, 700), Rect(0, 0, 1000, 700)},
        {"cut by the bottom: up, not sideways", Rect(100, 650, 200, 100), Rect(100, 600, 200, 100)},
        {"out past the top-left corner", Rect(-30, -20, 200, 100), Rect(0, 0, 200, 100)},
        {"past the right", Rect(900, 300, 200, 100), Rect(800, 300, 200, 100)},
        {"a pixel past the left only", Rect(-1, 300, 200, 100), Rect(0, 300, 200, 100)},
        {"a pixel past the top only", Rect(300, -1, 200, 100), Rect(300, 0, 200, 100)},
        {"a pixel past the right only", Rect(801, 300, 200, 100), Rect(800, 300, 200, 100)},
        {"a pixel past the bottom only", Rect(300, 601, 200, 100), Rect(300, 600, 200, 100)},
        {"wider than the area: its left at the area's", Rect(-50, 100, 1200, 300), Rect(0, 100, 1200, 300)},
        {"larger both ways: its top-left at the area's", Rect(300, 200, 1200, 900), Rect(0, 0, 1200, 900)},
    };
    for (const Case& c : cases) {
        const PixelRect kept = KeepInside(c.rect, work);
        EXPECT_EQ(Pixels(kept), Pixels(c.expected)) << c.what;
        const bool fits = c.rect.right - c.rect.left <= 1000 && c.rect.bottom - c.rect.top <= 700;
        EXPECT_EQ(WhollyInside(kept, work), fits) << c.what;
        EXPECT_EQ(WhollyInside(c.rect, work), Pixels(kept) == Pixels(c.rect) && fits) << c.what;
    }
}

}  // namespace
}  // namespace tellurane
