// When the program wakes: not at all while nobody can see a clock (a face read meanwhile is made for
// the read), and at once, with the right face, when Windows says it can be seen again or the time changed. Wine sends
// none of these messages: the test sends them as Windows documents them (WM_WTSSESSION_CHANGE, WM_POWERBROADCAST,
// WM_TIMECHANGE).

#include <windows.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "logic/setting_keys.h"
#include "tests/app/clock/clock_fixture.h"
#include "tests/support/desktop.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

constexpr GUID kConsoleDisplayState{0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

class ClockWake : public ClockWindowTest {
protected:
    void SetUp() override { LoadClock(true); }

    void DisplayState(DWORD state) {
        POWERBROADCAST_SETTING setting{kConsoleDisplayState, sizeof(DWORD), {}};
        std::copy_n(reinterpret_cast<const UCHAR*>(&state), sizeof state, setting.Data);
        SendMessageW(form_->Handle(), WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&setting));
    }
    void Session(WPARAM change) { SendMessageW(form_->Handle(), WM_WTSSESSION_CHANGE, change, 0); }
    void Power(WPARAM event) { SendMessageW(form_->Handle(), WM_POWERBROADCAST, event, 0); }
    // The clock reads a later time from here on.
    void Later(int seconds) {
        now_.local.second = static_cast<WORD>(now_.local.second + seconds);
        now_.utcMilliseconds += static_cast<std::uint64_t>(seconds) * 1000;
    }
    std::wstring Face() { return form_->PushButton1().Caption(); }
    // A second and a half of the clock's life, counting its timer's wakes.
    std::uint64_t WakesWhileWaiting() {
        const std::uint64_t before = form_->Wakes();
        WaitSeconds(1.5);
        return form_->Wakes() - before;
    }
};

TEST_F(ClockWake, NoWakeWhileNobodyCanSeeAClockAndTheRightFaceTheMomentOneCanAgain) {
    EXPECT_GT(WakesWhileWaiting(), 0u) << "seen: it wakes every second";
    struct Step {
        const char* what;
        std::function<void()> away, back;
    };
    const Step steps[] = {
        {"the session locked", [&] { Session(WTS_SESSION_LOCK); }, [&] { Session(WTS_SESSION_UNLOCK); }},
        {"the session switched away", [&] { Session(WTS_CONSOLE_DISCONNECT); }, [&] { Session(WTS_CONSOLE_CONNECT); }},
        {"the display off", [&] { DisplayState(0); }, [&] { DisplayState(1); }},
        {"every clock in the tray", [&] { ASSERT_TRUE(form_->HideAllInTray()); },
         [&] { form_->cSysTray1_MouseUp(1, 0); }},
    };
    int second = 9;
    for (const Step& step : steps) {
        step.away();
        EXPECT_TRUE(form_->Asleep()) << step.what;
        EXPECT_EQ(WakesWhileWaiting(), 0u) << step.what;
        // Read while nobody can see it (a screen reader, a program): the time of that moment, made for
        // the read, and still no timer set.
        Later(5);
        second += 5;
        EXPECT_NE(support::WindowText(form_->PushButton1().Handle()).find(L":05:" + std::to_wstring(second)),
                  std::wstring::npos)
            << step.what;
        EXPECT_TRUE(form_->Asleep()) << step.what;
        Later(5);
        second += 5;
        step.back();
        // In the same wake that brings it back: no timer has run since.
        EXPECT_NE(Face().find(L":05:" + std::to_wstring(second) + L" PM"), std::wstring::npos)
            << step.what << " " << testing::PrintToString(Face());
        EXPECT_FALSE(form_->Asleep()) << step.what;
    }
    // Dimmed is still seen.
    DisplayState(2);
    EXPECT_FALSE(form_->Asleep());
}

TEST_F(ClockWake, AfterAResumeOrAChangeOfTimeOrZoneEveryFaceIsRightAtOnce) {
    Later(2);
    Power(PBT_APMRESUMEAUTOMATIC);
    EXPECT_NE(Face().find(L"09:05:11 PM"), std::wstring::npos) << testing::PrintToString(Face());
    // The zone changed (through the clock's seam, as Windows moves local time): an hour later at once.
    now_.local.hour = 22;
    SendMessageW(form_->Handle(), WM_TIMECHANGE, 0, 0);
    EXPECT_NE(Face().find(L"10:05:11 PM"), std::wstring::npos) << testing::PrintToString(Face());
    // A face without seconds wakes once a minute.
    Set(keys::kTimePicture, L"HH:mm");
    SendMessageW(form_->Handle(), WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(Face().substr(0, 5), L"22:05");
    EXPECT_LE(WakesWhileWaiting(), 1u);
}

TEST_F(ClockWake, SessionNotificationsRefusedAtLogonAreAskedForAgainLaterEachTimeUntilWindowsAgrees) {
    // At logon WTSRegisterSessionNotification fails until the session service is ready
    // (RPC_S_INVALID_BINDING); Wine's always succeeds, so the refusals come through the clock's seam.
    form_.reset();
    std::vector<std::uint64_t> asked;  // when, by the tick count
    int unregistered = 0;
    form_ = std::make_unique<Form1>(store_, Services());
    form_->SetSessionNotifications({[&](HWND window, DWORD flags) {
                                        EXPECT_EQ(window, form_->Handle());
                                        EXPECT_EQ(flags, static_cast<DWORD>(NOTIFY_FOR_THIS_SESSION));
                                        asked.push_back(GetTickCount64());
                                        if (asked.size() > 2) return TRUE;
                                        SetLastError(RPC_S_INVALID_BINDING);
                                        return FALSE;
                                    },
                                    [&](HWND) { return ++unregistered, TRUE; }});
    ASSERT_TRUE(form_->Load());
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_FALSE(form_->HearsSession());

    // Asked again a second later, then two: never in a loop, and not only once.
    ASSERT_TRUE(support::WaitUntil([&] { return asked.size() >= 3; }, std::chrono::seconds(10), true));
    EXPECT_TRUE(form_->HearsSession());
    EXPECT_GE(asked[1] - asked[0], 900u);
    EXPECT_GE(asked[2] - asked[1], 1900u);
    EXPECT_FALSE(KillTimer(form_->Handle(), kSessionRetryTimer)) << "still asking once agreed";
    WaitSeconds(0.3);
    EXPECT_EQ(asked.size(), 3u);

    // What Windows now says is followed: locked, nothing wakes the program.
    Session(WTS_SESSION_LOCK);
    EXPECT_TRUE(form_->Asleep());
    EXPECT_EQ(WakesWhileWaiting(), 0u);
    Session(WTS_SESSION_UNLOCK);
    EXPECT_FALSE(form_->Asleep());

    // Closed, the clock tells Windows it no longer listens, as it must before its window goes; a clock
    // that was never heard does not.
    SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(unregistered, 1);
    form_ = std::make_unique<Form1>(store_, Services());
    form_->SetSessionNotifications({[](HWND, DWORD) { return FALSE; }, [&](HWND) { return ++unregistered, TRUE; }});
    ASSERT_TRUE(form_->Load());
    SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(unregistered, 1);
    form_.reset();
}

}  // namespace
}  // namespace tellurane
