// The settings window as laid out, measured at the DPI of the desktop it opens on, and its captions
// readable whatever the system colours.

#include <gtest/gtest.h>

#include <map>

#include "app/main_module.h"
#include "app/settings/form2.h"
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

class SettingsWindowLayout : public ::testing::Test {
protected:
    void SetUp() override { support::BecomePerMonitorDpiAware(); }
};

TEST_F(SettingsWindowLayout, ShowsEveryControlWithItsCaption) {
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
        {form2::kFrame3, L"Font Color"},
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
        const RECT expected = support::LaidOutRect(Form2Layout(), control, dpi);
        EXPECT_TRUE(EqualRect(&actual, &expected)) << std::string(control.name.begin(), control.name.end());
    }
    for (int id : {form2::kCheck1, form2::kCheck2, form2::kCheck3, form2::kCheck4, form2::kCheck6}) {
        EXPECT_EQ(SendMessageW(form.Control(id), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    }
    support::SaveScreenshot(L"settings-window-layout-" + std::to_wstring(dpi) + L"dpi");
}

TEST_F(SettingsWindowLayout, TabsThroughItsControlsInLayoutOrder) {
    Form2 form;
    ASSERT_TRUE(form.Create());
    std::vector<int> order;
    for (HWND child : support::ChildrenOf(form.Handle())) {
        if (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) order.push_back(GetDlgCtrlID(child));
    }
    EXPECT_EQ(order, (std::vector<int>{form2::kCheck1, form2::kCheck3, form2::kText1, form2::kPushButton3,
                                       form2::kCheck2, form2::kCheck6, form2::kCheck4, form2::kPushButton1}));
}

TEST_F(SettingsWindowLayout, CannotBeResizedMinimisedOrMaximised) {
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

// A running window and the system colours changing under it, as when a contrast theme is switched on:
// without a restart every caption reads on what is painted under it.
TEST_F(SettingsWindowLayout, EveryCaptionStaysReadableWhenTheSystemColoursChange) {
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
