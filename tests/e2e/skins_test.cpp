// The shipped skins on the real program, bad skins, and a skin edited while the clock runs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "logic/paths.h"
#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

class Skins : public RunningClock {
protected:
    void SetUp() override { CreateDirectoryW(SkinFolder().c_str(), nullptr); }
    void TearDown() override {
        clock_.reset();
        DeleteFileW(SkinPath().c_str());
        RemoveDirectoryW(SkinPath().c_str());
        RemoveDirectoryW(SkinFolder().c_str());
    }
    static std::wstring SkinFolder() { return FolderOf(TELLURANE_EXE) + L"\\x"; }
    static std::wstring SkinPath() { return SkinFolder() + L"\\o.cjs"; }
    static void PutShipped(const wchar_t* name) {
        ASSERT_TRUE(CopyFileW((std::wstring(TELLURANE_SKINS) + L"\\" + name).c_str(), SkinPath().c_str(), FALSE))
            << name;
    }
    static void PutText(const std::string& bytes) {
        HANDLE file = CreateFileW(SkinPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    COLORREF PixelAt(POINT at) const {
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, at.x, at.y);
        ReleaseDC(nullptr, screen);
        return colour;
    }
    // The face's plate, a little way in from its left edge, half-way down (never under the text).
    COLORREF Plate() const {
        RECT face;
        GetWindowRect(Face(), &face);
        return PixelAt({face.left + MulDiv(3, support::ExpectedDpi(), 96), (face.top + face.bottom) / 2});
    }
    // The window's own surface in the strip below the face.
    COLORREF WindowSurface() const {
        RECT client;
        GetClientRect(Window(), &client);
        POINT at{client.right / 2, client.bottom - 2};
        ClientToScreen(Window(), &at);
        return PixelAt(at);
    }
};

TEST_F(Skins, EachShippedSkinShowsItsColoursPlateFrameAndOpacity) {
    struct Case {
        const wchar_t* file;
        COLORREF text, plate, window;
        bool caption;
        int opacity;
    };
    const Case cases[] = {
        {L"night-outline.cjs", RGB(0xF5, 0xF5, 0xF5), RGB(0x20, 0x24, 0x28), RGB(0x20, 0x24, 0x28), true, 100},
        {L"glass.cjs", RGB(0xFF, 0xFF, 0xFF), RGB(0x0A, 0x2A, 0x4A), RGB(0x0A, 0x2A, 0x4A), false, 70},
        {L"across-the-room.cjs", RGB(0x0B, 0x3D, 0x91), RGB(0xFF, 0xFF, 0xFF), RGB(0xFF, 0xFF, 0xFF), false, 100},
        {L"high-visibility.cjs", RGB(0xFF, 0xFF, 0x00), RGB(0, 0, 0), RGB(0, 0, 0), true, 100},
        {L"day-and-night.cjs", RGB(0x1A, 0x1A, 0x1A), RGB(0xF3, 0xF3, 0xF3), RGB(0xF3, 0xF3, 0xF3), true, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
        PutShipped(c.file);
        support::MoveMouseTo({5, 5});  // a pointer resting on the face would show its tooltip over the pixels
        Start();
        EXPECT_TRUE(Boxes().empty());
        const LONG style = GetWindowLongW(Window(), GWL_STYLE);
        EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, c.caption);
        const bool layered = (GetWindowLongW(Window(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
        EXPECT_EQ(layered, c.opacity < 100);
        Sleep(1200);  // a tick in the skin's look
        const std::wstring name(c.file);
        Screenshot(L"60-skin-" + name.substr(0, name.find(L'.')));
        if (c.opacity == 100) {
            // Colours as painted; a translucent window shows the desktop through them.
            EXPECT_TRUE(WaitUntil([&] { return Plate() == c.plate; }, 2s)) << std::hex << Plate();
            EXPECT_EQ(WindowSurface(), c.window);
            EXPECT_GT(FaceTextExtent(c.text).right, 0) << "no text in the skin's colour";
        }
        ASSERT_TRUE(CloseWithin(5s));
    }
}

TEST_F(Skins, TabularDigitsKeepEveryPositionAsTheSecondsChange) {
    PutShipped(L"across-the-room.cjs");
    Start();
    const COLORREF text = RGB(0x0B, 0x3D, 0x91);
    std::vector<RECT> extents;
    std::wstring last;
    while (extents.size() < 4) {
        ASSERT_TRUE(WaitUntil([&] { return FaceText() != last; }, 3s));
        last = FaceText();
        Sleep(150);
        extents.push_back(FaceTextExtent(text));
    }
    for (const RECT& extent : extents) {
        EXPECT_EQ(extent.left, extents[0].left);
        EXPECT_EQ(extent.right, extents[0].right);
    }
}

TEST_F(Skins, AFramelessClockMovesByDraggingItsFaceAClickStillOpensTheSettingsAndItsMenuTakesTheSkinOffAndBack) {
    PutShipped(L"glass.cjs");
    Start();
    RECT face;
    GetWindowRect(Face(), &face);
    const RECT before = Frame();
    const POINT from{face.left + 20, (face.top + face.bottom) / 2};
    support::DragFromTo(from, {from.x + 80, from.y + 40});
    // Wine 8 moves it by the drag exactly; Wine 10's move loop adds the few pixels a press may wander
    // before it counts as a drag.
    const int slack = 2 * GetSystemMetrics(SM_CXDRAG) + 2;
    EXPECT_TRUE(WaitUntil(
        [&] {
            return std::abs(Frame().left - (before.left + 80)) <= slack &&
                   std::abs(Frame().top - (before.top + 40)) <= slack;
        },
        support::kStateTimeout))
        << Frame().left - before.left << "," << Frame().top - before.top;
    Sleep(500);
    EXPECT_FALSE(Settings()) << "a drag opened the settings";
    // Let go 5 pixels below the work area's top, it lines up with it as a captioned clock does.
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &monitor);
    GetWindowRect(Face(), &face);
    const POINT grab{face.left + 20, (face.top + face.bottom) / 2};
    support::DragFromTo(grab,
                        {grab.x, grab.y + monitor.rcWork.top + MulDiv(5, support::ExpectedDpi(), 96) - Frame().top});
    EXPECT_TRUE(WaitUntil([&] { return Frame().top == monitor.rcWork.top; }, support::kStateTimeout)) << Frame().top;
    EXPECT_TRUE(OpenSettingsByClickingTheFace()) << "a click did not open the settings";
    PostMessageW(Settings(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !Settings(); }, support::kStateTimeout));

    // The face's Skin menu: None takes the program's skin off this clock at once, and its own x\o.cjs
    // (listed second) puts it back; each stored.
    const auto chooseSkin = [&](int downs) {
        ASSERT_TRUE(OpenFaceMenu()) << "no menu";
        support::PressKey('K');
        ASSERT_TRUE(WaitUntil([&] { return MenusShown() == 2; }, support::kStateTimeout)) << "no Skin menu";
        for (int i = 0; i < downs; ++i) support::PressKey(VK_DOWN);
        support::PressKey(VK_RETURN);
    };
    const auto hasCaption = [&] { return (GetWindowLongW(Window(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION; };
    chooseSkin(0);
    EXPECT_TRUE(WaitUntil(hasCaption, support::kStateTimeout)) << "the skin stayed";
    EXPECT_EQ(Stored(L"Skin"), L"None");
    chooseSkin(1);
    EXPECT_TRUE(WaitUntil([&] { return !hasCaption(); }, support::kStateTimeout)) << "the skin did not come back";
    EXPECT_EQ(Stored(L"Skin"), L"");
}

TEST_F(Skins, SwitchingWindowsAppModeAppliesTheDarkKeysAtOnce) {
    const wchar_t* personalize = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    const auto setMode = [&](DWORD light) {
        RegSetKeyValueW(HKEY_CURRENT_USER, personalize, L"AppsUseLightTheme", REG_DWORD, &light, sizeof light);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                            SMTO_ABORTIFHUNG, 3000, &ignored);
    };
    PutShipped(L"day-and-night.cjs");
    Start();
    EXPECT_EQ(Plate(), RGB(0xF3, 0xF3, 0xF3));
    setMode(0);
    EXPECT_TRUE(WaitUntil([&] { return Plate() == RGB(0x20, 0x20, 0x20); }, 2s)) << "the [Dark] plate did not come";
    EXPECT_TRUE(WaitUntil([&] { return FaceTextExtent(RGB(0xF0, 0xF0, 0xF0)).right > 0; }, 2s));
    Screenshot(L"61-skin-day-and-night-in-dark-mode");
    setMode(1);
    EXPECT_TRUE(WaitUntil([&] { return Plate() == RGB(0xF3, 0xF3, 0xF3); }, 2s));
    RegDeleteKeyValueW(HKEY_CURRENT_USER, personalize, L"AppsUseLightTheme");
}

TEST_F(Skins, ABadSkinGivesOneClearBoxThenThePlainLookAndTheClockTicks) {
    struct Case {
        std::string bytes;
        const wchar_t* said;  // nullptr: no box, the plain look
    };
    const Case cases[] = {
        {"[Window]\r\nOpacity = 5\r\n", L"x\\o.cjs, line 2: Opacity must be a whole number from 20 to 100"},
        {"[Skin]\nFormat = 2\n", L"x\\o.cjs, line 2: Format 2 is newer"},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), L"x\\o.cjs, line "},
        {std::string(64 * 1024 + 1, 'a'), L"x\\o.cjs: the file is larger than 64 KiB"},
        {"[Face]\n" + std::string(100000, 'x') + "\n", L"x\\o.cjs: the file is larger than 64 KiB"},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said ? testing::PrintToString(std::wstring(c.said)) : "empty");
        PutText(c.bytes);
        Start(c.said == nullptr);
        if (c.said) {
            const std::wstring box = AnswerNextBox(15s);
            EXPECT_NE(box.find(c.said), std::wstring::npos) << testing::PrintToString(box);
            EXPECT_NE(box.find(L"Form1.Form_Load at line 100\r\r"), std::wstring::npos);
            window_ = support::FindTopLevel(clock_->ProcessId(), kClockClass, 10s);
            ASSERT_TRUE(window_);
        }
        const std::wstring shown = FaceText();
        EXPECT_TRUE(WaitUntil([&] { return FaceText() != shown; }, 3s)) << "the clock stopped";
        EXPECT_EQ(Plate(), RGB(255, 255, 255));  // the layout's plain face
        EXPECT_TRUE(Boxes().empty());
        ASSERT_TRUE(CloseWithin(5s));
    }
    // A folder where the file would be: the plain look, and nothing said.
    DeleteFileW(SkinPath().c_str());
    CreateDirectoryW(SkinPath().c_str(), nullptr);
    Start();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Plate(), RGB(255, 255, 255));
}

TEST_F(Skins, AnEditWhileTheClockRunsShowsWithinTwoSecondsAndABadOneKeepsTheLastGoodLook) {
    PutShipped(L"night-outline.cjs");
    Start();
    ASSERT_EQ(Plate(), RGB(0x20, 0x24, 0x28));
    PutShipped(L"high-visibility.cjs");  // replaced
    EXPECT_TRUE(WaitUntil([&] { return Plate() == RGB(0, 0, 0); }, 2500ms)) << "the new skin did not show";
    PutText("[Window]\nOpacity = 500\n");  // a bad edit: one box, and the look stays
    const std::wstring box = AnswerNextBox(5s);
    EXPECT_NE(box.find(L"x\\o.cjs, line 2: Opacity must be"), std::wstring::npos) << testing::PrintToString(box);
    Sleep(2500);
    EXPECT_TRUE(Boxes().empty()) << "the same bad file was said twice";
    EXPECT_EQ(Plate(), RGB(0, 0, 0));
    DeleteFileW(SkinPath().c_str());  // deleted: the plain look, with the layout's black text, not the skin's yellow
    EXPECT_TRUE(WaitUntil([&] { return Plate() == RGB(255, 255, 255); }, 2500ms));
    RECT face;
    GetWindowRect(Face(), &face);
    EXPECT_TRUE(WaitUntil([&] { return support::TextContrastOnScreen(face) >= 4.5; }, 1s))
        << support::TextContrastOnScreen(face);
}

}  // namespace
}  // namespace tellurane
