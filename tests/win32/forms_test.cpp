// A form built from a layout (the clock window's), measured at the DPI of the desktop it opens on.

#include <gtest/gtest.h>

#include "logic/layouts.h"
#include "logic/twips.h"
#include "tests/support/desktop.h"
#include "tests/support/laid_out.h"
#include "win32/form.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

using support::ChildRectInClient;
using support::ClientSize;

class Layouts : public ::testing::Test {
protected:
    void SetUp() override { support::BecomePerMonitorDpiAware(); }
};

TEST_F(Layouts, TheClockWindowOpensCentredAtItsLayoutSize) {
    Form form(Form1Layout());
    ASSERT_TRUE(form.Create());
    const int dpi = form.Dpi();
    EXPECT_EQ(dpi, support::ExpectedDpi());
    const SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(client.cx, TwipsToPixels(6915, dpi));
    EXPECT_EQ(client.cy, TwipsToPixels(855, dpi));
    if (dpi == 96) {
        EXPECT_EQ(client.cx, 461);
        EXPECT_EQ(client.cy, 57);
    }
    RECT window;
    GetWindowRect(form.Handle(), &window);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR((window.left + window.right) / 2.0, screenWidth / 2.0, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2.0, screenHeight / 2.0, 1);

    const DWORD style = GetWindowLongW(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(support::WindowText(form.Handle()), L"Form2");
}

TEST_F(Layouts, TheFaceFillsTheClockWindowAndTheFocusHolderIsOutOfSight) {
    Form form(Form1Layout());
    ASSERT_TRUE(form.Create());
    const int dpi = form.Dpi();
    for (const ControlLayout& control : Form1Layout().controls) {
        const RECT actual = ChildRectInClient(form.Control(control.id));
        const RECT expected = support::LaidOutRect(Form1Layout(), control, dpi);
        EXPECT_TRUE(EqualRect(&actual, &expected)) << std::string(control.name.begin(), control.name.end());
    }
    EXPECT_EQ(support::ClassOf(form.Control(form1::kText1)), L"Edit");
    EXPECT_EQ(support::WindowText(form.Control(form1::kText1)), L"Text1");
    EXPECT_EQ(form.Button(form1::kPushButton1).Caption(), L"");
    EXPECT_EQ(form.Button(form1::kPushButton1).BackColor(), kWhite);
    EXPECT_EQ(form.Button(form1::kPushButton1).ForeColor(), kButtonTextColor);
}

TEST_F(Layouts, TabMovesTheFocusFromTheUnseenTextBoxToTheFace) {
    Form form(Form1Layout());
    ASSERT_TRUE(form.Create());
    ShowWindow(form.Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(form.Handle());
    HandlePendingMessages();
    ASSERT_EQ(GetFocus(), form.Control(form1::kText1));
    PostMessageW(form.Control(form1::kText1), WM_KEYDOWN, VK_TAB, 0);
    HandlePendingMessages();
    EXPECT_EQ(GetFocus(), form.Control(form1::kPushButton1));
}

// Windows 10 and 11 keep about 7 pixels of resize border outside what is seen of a window; Wine draws
// none, so a stand-in says so here. A dragged window lines up by what is seen: flush with the work
// area's edge and with another clock, not 7 pixels (or 14 between two clocks) short of them.
FrameInset SevenPixelBorders(HWND) { return {7, 0, 7, 7}; }

TEST_F(Layouts, ADraggedWindowLinesUpByWhatIsSeenOfItsFrame) {
    const FrameInsetReader previous = SetFrameInsetReader(&SevenPixelBorders);
    Form form(Form1Layout());
    ASSERT_TRUE(form.Create());
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(form.Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    const RECT other{work.left + 600, work.top + 200, work.left + 900, work.top + 700};  // as seen
    form.SnapToEdges([&] { return std::vector<RECT>{other}; });
    RECT frame{};
    GetWindowRect(form.Handle(), &frame);
    const long width = frame.right - frame.left, height = frame.bottom - frame.top;
    const auto dragTo = [&](long left, long top) {
        SendMessageW(form.Handle(), WM_ENTERSIZEMOVE, 0, 0);
        RECT proposed{left, top, left + width, top + height};
        SendMessageW(form.Handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed));
        SendMessageW(form.Handle(), WM_EXITSIZEMOVE, 0, 0);
        return proposed;
    };
    // Seen 4 pixels in from the work area's left and bottom edges.
    RECT moved = dragTo(work.left - 7 + 4, work.bottom - height + 7 - 4);
    EXPECT_EQ(moved.left, work.left - 7);
    EXPECT_EQ(moved.bottom, work.bottom + 7);
    // Seen 5 pixels short of the other clock's left edge.
    moved = dragTo(other.left - 5 - (width - 7), other.top + 50);
    EXPECT_EQ(moved.right, other.left + 7);
    EXPECT_EQ(moved.top, other.top + 50) << "no edge near on that axis";
    SetFrameInsetReader(previous);
}

}  // namespace
}  // namespace tellurane
