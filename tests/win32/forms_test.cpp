// The two windows as laid out, measured at the DPI of the desktop they open on.

#include <gtest/gtest.h>

#include <map>

#include "app/main_module.h"
#include "app/settings/form2.h"
#include "logic/twips.h"
#include "tests/support/desktop.h"
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

RECT ExpectedRect(const WindowLayout& window, const ControlLayout& control, int dpi) {
    const TwipsPoint at = ClientPosition(window, control);
    return {TwipsToPixels(at.x, dpi), TwipsToPixels(at.y, dpi),
            TwipsToPixels(at.x, dpi) + TwipsToPixels(control.width, dpi),
            TwipsToPixels(at.y, dpi) + TwipsToPixels(control.height, dpi)};
}

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
    EXPECT_NEAR(window.left + (window.right - window.left) / 2, screenWidth / 2, 1);
    EXPECT_NEAR(window.top + (window.bottom - window.top) / 2, screenHeight / 2, 1);

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
        const RECT expected = ExpectedRect(Form1Layout(), control, dpi);
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

TEST_F(Layouts, TheSettingsWindowShowsEveryControlWithItsCaption) {
    Form2 form;
    ASSERT_TRUE(form.Create());
    ShowWindow(form.Handle(), SW_SHOWNORMAL);
    HandlePendingMessages();
    const int dpi = form.Dpi();
    EXPECT_EQ(support::WindowText(form.Handle()), L"Settings");
    const SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(client.cx, TwipsToPixels(8040, dpi));
    EXPECT_EQ(client.cy, TwipsToPixels(5025, dpi));

    const std::map<int, std::wstring> captions{
        {form2::kFrame2, L"Options"},
        {form2::kCheck1, L"Always on top"},
        {form2::kCheck3, L"Run at Windows Startup "},
        {form2::kFrame1, L"Font Size"},
        {form2::kText1, L"20"},
        {form2::kFrame3, L"Font Size"},
        {form2::kPushButton3, L"Change"},
        {form2::kFrame4, L"Display"},
        {form2::kCheck6, L"Use military time"},
        {form2::kCheck2, L"Use day/month/year format"},
        {form2::kCheck4, L"Show day of week (Monday, Tuesday, etc.)"},
        {form2::kPushButton1, L"OK"},
    };
    for (const auto& [id, caption] : captions) {
        HWND control = form.Control(id);
        ASSERT_TRUE(control) << id;
        EXPECT_TRUE(IsWindowVisible(control)) << id;
        EXPECT_EQ(support::WindowText(control), caption) << id;
    }
    for (const ControlLayout& control : Form2Layout().controls) {
        const RECT actual = ChildRectInClient(form.Control(control.id));
        const RECT expected = ExpectedRect(Form2Layout(), control, dpi);
        EXPECT_TRUE(EqualRect(&actual, &expected)) << std::string(control.name.begin(), control.name.end());
    }
    for (int id : {form2::kCheck1, form2::kCheck2, form2::kCheck3, form2::kCheck4, form2::kCheck6}) {
        EXPECT_EQ(SendMessageW(form.Control(id), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    }
    support::SaveScreenshot(L"settings-window-layout-" + std::to_wstring(dpi) + L"dpi");
}

TEST_F(Layouts, TheSettingsWindowTabsThroughItsControlsInLayoutOrder) {
    Form2 form;
    ASSERT_TRUE(form.Create());
    std::vector<int> order;
    for (HWND child : support::ChildrenOf(form.Handle())) {
        if (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) order.push_back(GetDlgCtrlID(child));
    }
    EXPECT_EQ(order, (std::vector<int>{form2::kCheck1, form2::kCheck3, form2::kText1, form2::kPushButton3,
                                       form2::kCheck2, form2::kCheck6, form2::kCheck4, form2::kPushButton1}));
}

TEST_F(Layouts, TheSettingsWindowCannotBeResizedMinimisedOrMaximised) {
    Form2 form;
    ASSERT_TRUE(form.Create());
    const DWORD style = GetWindowLongW(form.Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    // Asking anyway changes nothing.
    ShowWindow(form.Handle(), SW_SHOWNORMAL);
    SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_FALSE(IsZoomed(form.Handle()));
    SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsIconic(form.Handle()));
    // Its border offers no sizing edge to the mouse.
    RECT window;
    GetWindowRect(form.Handle(), &window);
    const LRESULT corner = SendMessageW(form.Handle(), WM_NCHITTEST, 0,
                                        MAKELPARAM(window.right - 2, window.bottom - 2));
    EXPECT_NE(corner, HTBOTTOMRIGHT);
    EXPECT_NE(corner, HTRIGHT);
    EXPECT_NE(corner, HTBOTTOM);
}

}  // namespace
}  // namespace tellurane

namespace tellurane {
namespace {

// A running window and the system colours changing under it, as when a contrast theme is switched on:
// without a restart every caption reads on what is painted under it.
TEST_F(Layouts, EveryCaptionStaysReadableWhenTheSystemColoursChange) {
    Form form(Form2Layout());
    ASSERT_TRUE(form.Create());
    ResetControlColors(form);
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const auto caption = [&](int id, bool title) {
        RECT rect;
        GetWindowRect(form.Control(id), &rect);
        const int inset = MulDiv(6, form.Dpi(), 96);
        if (title) {
            rect.left += MulDiv(10, form.Dpi(), 96);
            rect.right = rect.left + MulDiv(40, form.Dpi(), 96);
            rect.bottom = rect.top + MulDiv(12, form.Dpi(), 96);
        } else {
            InflateRect(&rect, -inset, -inset);
        }
        return rect;
    };
    const int indexes[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT};
    COLORREF saved[4];
    for (int i = 0; i < 4; ++i) saved[i] = GetSysColor(indexes[i]);
    const COLORREF dark[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)};
    for (const COLORREF* scheme : {static_cast<const COLORREF*>(saved), dark, static_cast<const COLORREF*>(saved)}) {
        SetSysColors(4, indexes, scheme);  // broadcasts WM_SYSCOLORCHANGE
        HandlePendingMessages();
        UpdateWindow(form.Handle());
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(200);
        const bool isDark = scheme == dark;
        POINT corner{2, 2};  // the window's own background, painted again in the new scheme
        ClientToScreen(form.Handle(), &corner);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(GetPixel(screen, corner.x, corner.y), scheme[0]) << "dark " << isDark;
        ReleaseDC(nullptr, screen);
        EXPECT_GE(support::TextContrastOnScreen(caption(form2::kPushButton1, false)), 4.5) << "OK, dark " << isDark;
        EXPECT_GE(support::TextContrastOnScreen(caption(form2::kPushButton3, false)), 4.5) << "Change, dark " << isDark;
        EXPECT_GE(support::TextContrastOnScreen(caption(form2::kFrame4, true)), 4.5) << "Display, dark " << isDark;
    }
    SetSysColors(4, indexes, saved);
}

}  // namespace
}  // namespace tellurane
