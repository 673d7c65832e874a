// The alarms of a clock, rung in the test process: the clock reads the test's time, and the moment the
// timer would post comes from the test (the timer itself is the kit's, tested there). The sound is asked
// for through a seam: Wine here has no sound device.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/clock/clocks.h"
#include "logic/clock/alarm.h"
#include "logic/clock/time_zone.h"
#include "logic/texts.h"
#include "tests/app/clock/clock_fixture.h"
#include "tests/support/desktop.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

class ClockAlarm : public ClockWindowTest {
protected:
    void SetUp() override {
        // The first clock in Tokyo, where it is Monday 07:29:50.
        Set(L"TimeZone", L"Tokyo Standard Time");
        Set(L"Chime", L"2");  // hours and half hours, in Tokyo
        Set(L"ChimeSound", L"Ring05");
        now_.utcMilliseconds = static_cast<std::uint64_t>(MillisecondsFromCivil({2026, 12, 6, 22, 29, 50, 0, 0}));
        Alarm(1, {{L"Time", L"07:30"},
                  {L"Days", L"Mon Tue Wed Thu Fri"},
                  {L"Label", L"Wake up"},
                  {L"Snooze", L"1"},
                  {L"Sound", L"Alarm02"}});
        Alarm(2, {{L"Time", L"7.30"}, {L"Label", L"Broken"}});
        Alarm(3, {{L"Time", L"07:30"}, {L"Days", L"mon"}, {L"Label", L"Tea"}, {L"Sound", L"C:\\gone.wav"}});
        LoadClock();
    }
    void Alarm(int number, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values) {
        const SettingsStore alarm = store_.Below(L"Alarms\\" + std::to_wstring(number));
        for (const auto& [name, text] : values) alarm.WriteSetting(name, text);
    }
    void Later(int seconds) { now_.utcMilliseconds += static_cast<std::uint64_t>(seconds) * 1000; }
    // The moment the timer was set for has come.
    void Moment() { SendMessageW(form_->Handle(), kAlarmMoment, 0, 0); }
    std::wstring Face() { return form_->PushButton1().Caption(); }
    std::function<bool()> Shows(const std::wstring& text) {
        return [this, text] { return Face().find(text) != std::wstring::npos; };
    }
    std::function<bool()> TimeAgain() {
        return [this] { return !Choice(IDS_ALARM_DISMISS) && Face().find(L':') != std::wstring::npos; };
    }
    HWND Choice(UINT text) { return FindWindowExW(form_->Handle(), nullptr, L"Button", Tr(text).c_str()); }
    // A key pressed in the clock window, as the user would: the window in front, the choice focused.
    void Press(WORD key, const std::function<bool()>& after) {
        SetForegroundWindow(form_->Handle());
        ASSERT_TRUE(
            support::WaitUntil([&] { return GetFocus() == Choice(IDS_ALARM_DISMISS); }, support::kStateTimeout, true));
        support::PressKey(key);
        // Through the program's own loop, where the dialog manager sees the keys first.
        WaitSeconds(30, [&] { return !after(); });
        EXPECT_TRUE(after()) << testing::PrintToString(Face());
    }
    // The tray icon's tip, made as the pointer comes over the icon.
    std::wstring TrayTip() {
        const auto added = std::find_if(shellCalls_.begin(), shellCalls_.end(),
                                        [](const ShellCall& call) { return call.message == NIM_ADD; });
        if (added == shellCalls_.end()) return L"no tray icon";
        SendMessageW(added->data.hWnd, added->data.uCallbackMessage, added->data.uID, WM_MOUSEMOVE);
        return shellCalls_.back().data.szTip;
    }
    // The picture of a ringing clock (the guide's), once painted.
    void SavePicture() {
        UpdateWindow(form_->Handle());
        RECT frame{};
        GetWindowRect(form_->Handle(), &frame);
        support::SaveSideBySide(L"alarm", {support::TakeScreenPart(frame)}, 1);
    }
    std::wstring LastBalloonTitle() {
        std::wstring title;
        for (const ShellCall& call : shellCalls_) {
            if (call.data.uFlags & NIF_INFO) title = call.data.szInfoTitle;
        }
        return title;
    }
};

TEST_F(ClockAlarm, RingsInItsZoneSnoozesDismissesAndShowsWhatWasMissed) {
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].description.find(L"\"7.30\""), std::wstring::npos) << "the bad alarm said, the others work";
    // Each clock with its time there, and its day against the local one (the test's local time is still
    // Sunday evening).
    EXPECT_EQ(TrayTip(), L"Tellurane 7:29 AM tomorrow");
    AlarmBell& bell = *form_->Bell();
    ASSERT_TRUE(bell.Next(0).has_value());
    EXPECT_EQ(bell.Next(0)->label, L"Wake up");
    EXPECT_EQ(bell.Next(0)->when.substr(0, 3), L"Mon");

    // 07:30 in Tokyo: both Monday alarms, one after the other, the first with its sound and notification.
    Later(15);
    Moment();
    EXPECT_NE(Face().find(L"Wake up"), std::wstring::npos) << testing::PrintToString(Face());
    EXPECT_TRUE(Choice(IDS_ALARM_DISMISS) && Choice(IDS_ALARM_SNOOZE));
    ASSERT_FALSE(sounds_.empty());
    EXPECT_EQ(sounds_.back(), std::make_pair(std::wstring(L"Alarm02"), SoundPlay::Repeat));
    EXPECT_EQ(LastBalloonTitle(), L"Wake up");
    EXPECT_NE(std::find(sounds_.begin(), sounds_.end(), std::make_pair(std::wstring(L"Ring05"), SoundPlay::Once)),
              sounds_.end())
        << "the half hour's chime";
    SavePicture();
    Press('S', Shows(L"Tea"));  // snoozed; the second alarm rings at once
    EXPECT_EQ(sounds_.back(), std::make_pair(std::wstring(L"C:\\gone.wav"), SoundPlay::Repeat));
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_NE(boxes_[1].description.find(L"gone.wav"), std::wstring::npos) << "a sound that cannot play, said once";
    Press(VK_RETURN, TimeAgain());  // dismissed: the time again
    EXPECT_FALSE(Choice(IDS_ALARM_DISMISS));
    EXPECT_EQ(sounds_.back().second, SoundPlay::Stop);

    // The snooze's minute: it rings again, and Enter dismisses it.
    Later(60);
    Moment();
    EXPECT_NE(Face().find(L"Wake up"), std::wstring::npos);
    Press(VK_RETURN, TimeAgain());

    // Asleep through Tuesday's 07:30: shown once as missed on resume, without a sound, not rung.
    const std::size_t soundsBefore = sounds_.size();
    Later(24 * 3600 + 300);
    SendMessageW(form_->Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_NE(Face().find(L"Missed: "), std::wstring::npos) << testing::PrintToString(Face());
    EXPECT_FALSE(Choice(IDS_ALARM_SNOOZE));
    EXPECT_EQ(sounds_.size(), soundsBefore);
    Press(VK_RETURN, TimeAgain());
    Moment();
    EXPECT_FALSE(Choice(IDS_ALARM_DISMISS)) << "missed once, not again";

    // Turning off the next alarm skips Wednesday's ring only.
    EXPECT_EQ(bell.Next(0)->when.substr(0, 3), L"Wed");
    bell.SkipNext(0);
    EXPECT_EQ(bell.Next(0)->when.substr(0, 3), L"Thu");
    Later(24 * 3600);
    Moment();
    EXPECT_FALSE(Choice(IDS_ALARM_DISMISS)) << "Wednesday's ring was turned off";
}

TEST_F(ClockAlarm, ATurnedOffRingStaysOffAcrossARestartAndTheNextFollowsTheMonitorsScale) {
    // Both of Monday's 07:30 rings turned off from the menu, then the program ends and starts again.
    form_->Bell()->SkipNext(0);
    form_->Bell()->SkipNext(0);
    EXPECT_EQ(form_->Bell()->Next(0)->when.substr(0, 3), L"Tue");
    form_.reset();
    LoadClock();
    EXPECT_EQ(form_->Bell()->Next(0)->when.substr(0, 3), L"Tue");
    Later(15);
    Moment();
    EXPECT_FALSE(Choice(IDS_ALARM_DISMISS)) << "Monday's rings were turned off";
    EXPECT_EQ(store_.Below(AlarmKey(1)).Stored(L"Skip").value_or(L"none"), L"") << "forgotten once passed";
    Later(24 * 3600);
    Moment();
    EXPECT_TRUE(Shows(L"Wake up")()) << "Tuesday's rings";
    // Brought back from the tray while it rings, Enter answers at once.
    ASSERT_TRUE(form_->HideAllInTray());
    form_->cSysTray1_MouseUp(1, 0);
    EXPECT_EQ(GetFocus(), Choice(IDS_ALARM_DISMISS));

    // Moved while ringing to a monitor at 150 %: the choices' text grows with the window.
    auto fontHeight = [&] {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(Choice(IDS_ALARM_DISMISS), WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        return std::abs(font.lfHeight);
    };
    const double before = fontHeight() * 144.0 / form_->Dpi();
    RECT frame{};
    GetWindowRect(form_->Handle(), &frame);
    frame.right += (frame.right - frame.left) / 2;
    frame.bottom += (frame.bottom - frame.top) / 2;
    SendMessageW(form_->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&frame));
    EXPECT_NEAR(fontHeight(), before, 1.0);
    RECT client{}, snooze{};
    GetClientRect(form_->Handle(), &client);
    GetWindowRect(Choice(IDS_ALARM_SNOOZE), &snooze);
    MapWindowPoints(nullptr, form_->Handle(), reinterpret_cast<POINT*>(&snooze), 2);
    EXPECT_EQ(client.right - snooze.right, MulDiv(4, 144, 96)) << "at the right of the window's new size";
}

}  // namespace
}  // namespace tellurane
