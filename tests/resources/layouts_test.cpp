#include "resources/layouts.h"

#include <gtest/gtest.h>

#include <set>

#include "core/twips.h"

namespace tellurane {
namespace {

TEST(Layouts, ClientSizesInPixelsFollowTheDpi) {
    EXPECT_EQ(TwipsToPixels(Form1Layout().clientWidth, 96), 461);
    EXPECT_EQ(TwipsToPixels(Form1Layout().clientHeight, 96), 57);
    EXPECT_EQ(TwipsToPixels(Form2Layout().clientWidth, 96), 536);
    EXPECT_EQ(TwipsToPixels(Form2Layout().clientHeight, 96), 335);
    EXPECT_EQ(TwipsToPixels(Form1Layout().clientHeight, 144), 86);  // 85.5 rounds up
    EXPECT_EQ(TwipsToPixels(Form2Layout().clientWidth, 192), 2 * 536);
}

TEST(Layouts, ControlsAreListedInTabOrderWithUniqueIds) {
    for (const WindowLayout* window : {&Form1Layout(), &Form2Layout()}) {
        std::set<int> ids;
        int lastTab = -1;
        for (const ControlLayout& control : window->controls) {
            EXPECT_GT(control.tabIndex, lastTab) << std::string(control.name.begin(), control.name.end());
            lastTab = control.tabIndex;
            EXPECT_TRUE(ids.insert(control.id).second);
        }
    }
}

TEST(Layouts, SettingsDisplayFrameTabsDifferFromItsScreenOrder) {
    std::vector<std::wstring_view> tabOrder;
    for (const ControlLayout& control : Form2Layout().controls) {
        if (control.containerId == form2::kFrame4) tabOrder.push_back(control.name);
    }
    EXPECT_EQ(tabOrder, (std::vector<std::wstring_view>{L"Check2", L"Check6", L"Check4"}));
}

TEST(Layouts, ControlsInsideFramesAreOffsetByTheirFrame) {
    for (const ControlLayout& control : Form2Layout().controls) {
        if (control.name == L"PushButton3") {
            const TwipsPoint at = ClientPosition(Form2Layout(), control);
            EXPECT_EQ(at.x, 120 + 3960);
            EXPECT_EQ(at.y, 2100 + 270);
        }
    }
}

TEST(Layouts, TheClockFaceLeavesItsMarginsAndTheFocusHolderIsUnseen) {
    const auto& controls = Form1Layout().controls;
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[0].name, L"Text1");
    EXPECT_LT(controls[0].left + controls[0].width, 0);
    EXPECT_LT(controls[0].top + controls[0].height, 0);
    EXPECT_EQ(Form1Layout().clientWidth - controls[1].width, 75);
    EXPECT_EQ(Form1Layout().clientHeight - controls[1].height, 90);
    EXPECT_EQ(controls[1].font.points, 20.25);
}

}  // namespace
}  // namespace tellurane
