// The clock window under the mouse and the sizing border.

#include <gtest/gtest.h>

#include "logic/paths.h"
#include "tests/e2e/clock_driver.h"
#include "tests/support/cursor_file.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

class Interaction : public RunningClock {
protected:
    RECT FaceRect() const {
        RECT face;
        GetWindowRect(Face(), &face);
        return face;
    }
    static HCURSOR CurrentCursor() {
        CURSORINFO info{sizeof info};
        return GetCursorInfo(&info) ? info.hCursor : nullptr;
    }
};

TEST_F(Interaction, TheFaceFollowsTheWindowsSizeAndTheTextKeepsItsSize) {
    Start();
    const RECT before = FaceRect();
    const RECT textBefore = FaceTextExtent(RGB(0, 0, 0));
    const int wider = MulDiv(1500, static_cast<int>(GetDpiForWindow(Window())), 1440);  // 1500 twips
    const RECT frame = Frame();
    SetWindowPos(Window(), nullptr, 0, 0, frame.right - frame.left + wider, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(WaitUntil([&] { return FaceRect().right - FaceRect().left != before.right - before.left; }, 2s));
    EXPECT_EQ((FaceRect().right - FaceRect().left) - (before.right - before.left), wider);
    Sleep(1100);  // a tick in the wider window
    const RECT textAfter = FaceTextExtent(RGB(0, 0, 0));
    EXPECT_EQ(textAfter.bottom - textAfter.top, textBefore.bottom - textBefore.top);
    Screenshot(L"40-wider-window");

    // Smaller than the face's margins: the face shrinks to nothing and the clock goes on.
    SetWindowPos(Window(), nullptr, 0, 0, 5, 5, SWP_NOMOVE | SWP_NOZORDER);
    Sleep(1100);
    const RECT tiny = FaceRect();
    EXPECT_GE(tiny.right - tiny.left, 0);
    EXPECT_GE(tiny.bottom - tiny.top, 0);
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Interaction, TheHandFromTheProgramFolderShowsOverTheFaceAndTheArrowOverTheMargin) {
    const std::wstring cursor = FolderOf(TELLURANE_EXE) + L"\\HAND-M.CUR";
    support::WriteCursorFile(cursor);
    Start();
    DeleteFileW(cursor.c_str());
    SetForegroundWindow(Window());
    // Cursor handles are the program's own: its arrow is the one it shows over its title bar.
    const RECT frame = Frame();
    support::MoveMouseTo({(frame.left + frame.right) / 2, frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2});
    Sleep(300);
    const HCURSOR arrow = CurrentCursor();
    ASSERT_TRUE(arrow);
    const RECT face = FaceRect();
    support::MoveMouseTo({(face.left + face.right) / 2, (face.top + face.bottom) / 2});
    EXPECT_TRUE(WaitUntil([&] { return CurrentCursor() && CurrentCursor() != arrow; }, 3s)) << "no hand over the face";
    // The strip of the window below the face.
    RECT client;
    GetClientRect(Window(), &client);
    POINT margin{client.right / 2, client.bottom - 2};
    ClientToScreen(Window(), &margin);
    ASSERT_GT(margin.y, face.bottom);
    support::MoveMouseTo(margin);
    EXPECT_TRUE(WaitUntil([&] { return CurrentCursor() == arrow; }, 3s)) << "no arrow over the margin";
}

}  // namespace
}  // namespace tellurane
