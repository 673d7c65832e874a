// Minimising to the notification area and coming back, with the real shell and real clicks.

#include <gtest/gtest.h>

#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::kStateTimeout;
using support::WaitUntil;

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

class MinimisingClock : public RunningClock {
protected:
    void Minimise() { PostMessageW(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
    bool Shown() const { return IsWindowVisible(Window()) && !IsIconic(Window()); }
};

class TrayInteraction : public MinimisingClock {
protected:
    void SetUp() override {
        Start();
        ASSERT_TRUE(support::WaitForTrayIcons(1))
            << support::TrayIconsShown().size() << " icons in the notification area, not the clock's one";
    }
};

TEST_F(TrayInteraction, MinimisingHidesTheClockWithABalloonOnlyTheFirstTime) {
    const RECT normal = Frame();
    Minimise();
    const auto minimised = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Window()); }, kStateTimeout)) << "the window stayed on screen";
    EXPECT_FALSE(IsIconic(Window())) << "hidden, but still minimised";
    const bool seen = support::BalloonsCanBeSeen();
    if (seen) {
        EXPECT_TRUE(WaitUntil(&support::BalloonShown, kStateTimeout)) << "no balloon";
        EXPECT_EQ(
            support::BalloonText(),
            L"has been minimized to the system tray.\r\nClick on the blue 'M' icon (M for Marrowick) to bring the "
            L"software back.");
    }
    Screenshot(L"20-minimised-with-balloon");
    EXPECT_EQ(support::TrayIconsShown().size(), 1u);
    const std::wstring hidden = FaceText();
    EXPECT_TRUE(WaitUntil([&] { return FaceText() != hidden; }, kStateTimeout)) << "the clock stopped while hidden";

    // The balloon goes after its 5 s; a release of the left button over the icon then brings the
    // window back where it was.
    ASSERT_TRUE(WaitUntil([] { return !support::BalloonShown(); }, 10s));
    EXPECT_LT(std::chrono::steady_clock::now() - minimised, 7s);
    support::ClickAt(Centre(support::TrayIconsShown().front()));
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kStateTimeout)) << "the icon did not bring the window back";
    const RECT back = Frame();
    EXPECT_TRUE(EqualRect(&normal, &back));
    // The taskbar handles the same click: it may hold the foreground a moment longer.
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Window(); }, kStateTimeout))
        << "the clock did not get the focus";
    Screenshot(L"21-restored-from-tray");

    // The second time: hidden again, without a balloon; the right button brings it back too.
    Minimise();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Window()); }, kStateTimeout));
    if (seen) {
        EXPECT_FALSE(WaitUntil(&support::BalloonShown, 4s)) << "a second balloon";
    }
    support::ClickAt(Centre(support::TrayIconsShown().front()), true);
    EXPECT_TRUE(WaitUntil([&] { return Shown(); }, kStateTimeout));

    // A double click brings it back as well.
    Minimise();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Window()); }, kStateTimeout));
    const POINT icon = Centre(support::TrayIconsShown().front());
    support::ClickAt(icon);
    support::ClickAt(icon);
    EXPECT_TRUE(WaitUntil([&] { return Shown(); }, kStateTimeout));
}

TEST_F(TrayInteraction, ClosingWhileHiddenSavesTheNormalPlaceAndTakesTheIconAway) {
    SetWindowPos(Window(), nullptr, 200, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Minimise();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Window()); }, kStateTimeout));
    ASSERT_TRUE(CloseWithin(kStateTimeout));  // the balloon's wait, then the close
    // Without the pointer passing over it: an icon left behind would stay.
    EXPECT_TRUE(WaitUntil([] { return support::TrayIconsShown().empty(); }, kStateTimeout));
    Start();
    EXPECT_EQ(Frame().left, 200);
    EXPECT_EQ(Frame().top, 120);
}

TEST_F(TrayInteraction, TheFaceShowsItsTooltipWhenTheMouseRestsOnIt) {
    RECT face;
    GetWindowRect(Face(), &face);
    const POINT middle = Centre(face);
    SetForegroundWindow(Window());
    support::MoveMouseTo(middle, 3);
    HWND tip = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (HWND window : support::TopLevelWindowsOf(clock_->ProcessId())) {
                if (support::ClassOf(window) == L"tooltips_class32" && IsWindowVisible(window)) tip = window;
            }
            return tip != nullptr;
        },
        kStateTimeout));
    if (tip) {
        EXPECT_EQ(support::WindowText(tip), L"Click here for more options");
    }
    Screenshot(L"22-face-tooltip");
}

// A notification area that does not answer yet, as at logon: a window of the taskbar's class that
// Shell_NotifyIcon finds before the real one, and that refuses every request. Its own thread answers.
class RefusingNotificationArea {
public:
    RefusingNotificationArea() {
        thread_ = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
        WaitForSingleObject(ready_, 5000);
    }
    ~RefusingNotificationArea() { Remove(); }
    void Remove() {
        if (!thread_) return;
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    LONG Refused() const { return refused_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COPYDATA) {
            auto* self = reinterpret_cast<RefusingNotificationArea*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            if (self) InterlockedIncrement(&self->refused_);
            return FALSE;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    static DWORD WINAPI Run(void* context) {
        auto* self = static_cast<RefusingNotificationArea*>(context);
        self->threadId_ = GetCurrentThreadId();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"Shell_TrayWnd";
        RegisterClassW(&windowClass);
        HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 0, 0,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        SetEvent(self->ready_);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        DestroyWindow(window);
        UnregisterClassW(L"Shell_TrayWnd", GetModuleHandleW(nullptr));
        return 0;
    }

    HANDLE ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    LONG refused_ = 0;
};

class TrayNotReady : public MinimisingClock {};

TEST_F(TrayNotReady, MinimisingKeepsTheClockOnTheTaskbarUntilTheIconArrivesThenHidesIntoIt) {
    // Start cannot see the real notification area behind the refusing one: an earlier test's icon left
    // there would be taken for the one that comes.
    ASSERT_TRUE(support::WaitForTrayIcons(0));
    RefusingNotificationArea refusing;
    Start();
    ASSERT_TRUE(WaitUntil([&] { return refusing.Refused() > 0; }, kStateTimeout))
        << "the program never asked for its icon";
    Minimise();
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(Window()) != FALSE; }, kStateTimeout)) << "the window did not minimise";
    EXPECT_TRUE(IsWindowVisible(Window())) << "hidden without an icon to bring it back";
    Screenshot(L"23-minimised-to-the-taskbar-without-a-tray");

    // The notification area answers at last: the next retry (every 3 s) puts the icon there.
    refusing.Remove();
    ASSERT_TRUE(support::WaitForTrayIcons(1)) << "the icon never came";
    ShowWindow(Window(), SW_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kStateTimeout));
    Minimise();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(Window()); }, kStateTimeout)) << "not hidden into the icon";
    EXPECT_FALSE(IsIconic(Window())) << "hidden, but still minimised";
    support::ClickAt(Centre(support::TrayIconsShown().front()));
    EXPECT_TRUE(WaitUntil([&] { return Shown(); }, kStateTimeout)) << "the icon did not bring the window back";
}

}  // namespace
}  // namespace tellurane
