#include "logic/layouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <vector>

namespace tellurane {
namespace {

const ControlLayout& Find(const WindowLayout& window, std::wstring_view name) {
    const auto& controls = window.controls;
    const auto found = std::find_if(controls.begin(), controls.end(), [&](const auto& c) { return c.name == name; });
    if (found == controls.end()) throw std::runtime_error("no such control");
    return *found;
}

TEST(Layouts, TheWindowsHaveTheirSizesFramesAndButtons) {
    const WindowLayout& clock = Form1Layout();
    EXPECT_EQ(clock.clientWidth, 6915);
    EXPECT_EQ(clock.clientHeight, 855);
    EXPECT_TRUE(clock.sizable);
    EXPECT_TRUE(clock.minimizeButton);
    EXPECT_FALSE(clock.maximizeButton);
    const WindowLayout& settings = Form2Layout();
    EXPECT_EQ(settings.clientWidth, 8040);
    EXPECT_EQ(settings.clientHeight, 5025);
    EXPECT_FALSE(settings.sizable || settings.minimizeButton || settings.maximizeButton);
    const FontSpec face = Find(clock, L"PushButton1").font;
    EXPECT_EQ(face.face, L"Arial");
    EXPECT_EQ(face.points, 20.25);
    EXPECT_EQ(face.weight, 700);
}

// In every window: tab order, one id per control, and what is seen lies inside the window and on no
// other control of its frame. A drop-down's layout height is its open list's: closed, it is a box.
TEST(Layouts, ControlsAreListedInTabOrderWithUniqueIdsInsideTheWindowAndOverlapNone) {
    struct Box {
        std::string name;
        int container, left, top, right, bottom;
    };
    for (const WindowLayout* window : {&Form1Layout(), &Form2Layout(), &ExtraClockLayout(), &ClockOptionsLayout(),
                                       &AlarmListLayout(), &AlarmEditLayout()}) {
        std::set<int> ids;
        int lastTab = -1;
        std::vector<Box> seen;
        for (const ControlLayout& control : window->controls) {
            const std::string name(control.name.begin(), control.name.end());
            EXPECT_GT(control.tabIndex, lastTab) << name;
            lastTab = control.tabIndex;
            EXPECT_TRUE(ids.insert(control.id).second) << name << " shares its id";
            const bool dropDown = control.kind == ControlKind::ComboBox || control.kind == ControlKind::DropDownList;
            const int height = dropDown ? std::min(control.height, 345) : control.height;
            const TwipsPoint at = ClientPosition(*window, control);
            const Box box{name,
                          control.containerId,
                          static_cast<int>(at.x),
                          static_cast<int>(at.y),
                          static_cast<int>(at.x) + control.width,
                          static_cast<int>(at.y) + height};
            if (box.right <= 0 || box.bottom <= 0) continue;  // out of sight on purpose (a focus holder)
            EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= window->clientWidth &&
                        box.bottom <= window->clientHeight)
                << name << " reaches out of its window";
            for (const Box& other : seen) {
                const bool overlap = other.container == box.container && box.left < other.right &&
                                     other.left < box.right && box.top < other.bottom && other.top < box.bottom;
                EXPECT_FALSE(overlap) << name << " lies on " << other.name;
            }
            seen.push_back(box);
        }
    }
}

TEST(Layouts, TheDisplaySwitchesTabInAnotherOrderThanTheyStandOnScreen) {
    std::vector<const ControlLayout*> display;
    for (const ControlLayout& control : Form2Layout().controls) {
        if (control.containerId == form2::kFrame4) display.push_back(&control);
    }
    std::vector<std::wstring_view> tabOrder, screenOrder;
    for (const ControlLayout* control : display) tabOrder.push_back(control->name);
    std::stable_sort(display.begin(), display.end(), [](auto* a, auto* b) { return a->top < b->top; });
    for (const ControlLayout* control : display) screenOrder.push_back(control->name);
    EXPECT_EQ(tabOrder, (std::vector<std::wstring_view>{L"Check2", L"Check6", L"Check4"}));
    EXPECT_EQ(screenOrder, (std::vector<std::wstring_view>{L"Check6", L"Check2", L"Check4"}));
}

TEST(Layouts, ControlsInsideFramesAreOffsetByTheirFrame) {
    const TwipsPoint change = ClientPosition(Form2Layout(), Find(Form2Layout(), L"PushButton3"));
    EXPECT_EQ(change.x, 120 + 3960);
    EXPECT_EQ(change.y, 2100 + 270);
    const TwipsPoint ok = ClientPosition(Form2Layout(), Find(Form2Layout(), L"PushButton1"));
    EXPECT_EQ(ok.x, 120);
    EXPECT_EQ(ok.y, 4520);
}

TEST(Layouts, TheFaceKeepsTheLayoutsMarginsInAnyClientAreaAndTheFocusHolderIsUnseen) {
    const ControlLayout& text1 = Find(Form1Layout(), L"Text1");
    EXPECT_LT(text1.left + text1.width, 0);
    EXPECT_LT(text1.top + text1.height, 0);
    struct Case {
        double clientWidth, clientHeight, faceWidth, faceHeight;
    };
    for (const Case& c : {Case{6915, 855, 6840, 765}, Case{8415, 855, 8340, 765}, Case{6915, 1500, 6840, 1410},
                          Case{60, 80, 0, 0}, Case{-10, 0, 0, 0}}) {
        const TwipsSize face = FaceSizeForClient(Form1Layout(), form1::kPushButton1, c.clientWidth, c.clientHeight);
        EXPECT_EQ(face.width, c.faceWidth) << c.clientWidth;
        EXPECT_EQ(face.height, c.faceHeight) << c.clientHeight;
    }
    // A control inside a frame keeps its margins too: its place counts from the client area throughout.
    const WindowLayout& settings = Form2Layout();
    const TwipsSize same = FaceSizeForClient(settings, form2::kText1, settings.clientWidth, settings.clientHeight);
    EXPECT_EQ(same.width, 7305);
    EXPECT_EQ(same.height, 345);
    const TwipsSize wider = FaceSizeForClient(settings, form2::kText1, settings.clientWidth + 100,
                                              settings.clientHeight + 50);
    EXPECT_EQ(wider.width, 7405);
    EXPECT_EQ(wider.height, 395);
}

}  // namespace
}  // namespace tellurane
