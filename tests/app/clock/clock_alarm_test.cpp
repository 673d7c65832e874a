// The alarms of a clock, rung in the test process: the clock reads the test's time, and the moment the
// timer would post comes from the test (the timer itself is the kit's, tested there). The sound is asked
// for through a seam: Wine here has no sound device.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/clock/clocks.h"
#include "logic/clock/alarm.h"
#include "logic/clock/time_zone.h"
#include "logic/texts.h"
#include "tests/app/clock/clock_fixture.h"
#include "tests/support/desktop.h"
#include "win32/handles.h"
#include "win32/message_loop.h"
#include "win32/modal.h"

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
    std::vector<std::wstring> BalloonTitles() {
        std::vector<std::wstring> titles;
        for (const ShellCall& call : shellCalls_) {
            if (call.data.uFlags & NIF_INFO) titles.emplace_back(call.data.szInfoTitle);
        }
        return titles;
    }
    // The program again with only these alarms, as stored, none seen to yet: a first start.
    void StartWith(std::initializer_list<std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>> alarms) {
        form_.reset();
        store_.DeleteBelow(L"Alarms");
        store_.WriteSetting(L"AlarmsSeen", L"");
        Set(L"Chime", L"0");
        int number = 0;
        for (const auto& values : alarms) Alarm(++number, values);
        boxes_.clear();
        sounds_.clear();
        shellCalls_.clear();
        LoadClock();
    }
    void Restart() {
        form_.reset();
        LoadClock();
    }
    void Click(UINT choice) { SendMessageW(Choice(choice), BM_CLICK, 0, 0); }
    bool Rings(const std::wstring& text) { return Shows(text)() && Choice(IDS_ALARM_SNOOZE); }
    bool ShowsMissed(const std::wstring& text) {
        return Shows(L"Missed: ")() && Shows(text)() && Choice(IDS_ALARM_DISMISS) && !Choice(IDS_ALARM_SNOOZE);
    }
    // Tokyo's wall clock on Monday 7 December 2026.
    void At(int hour, int minute, int second) {
        now_.utcMilliseconds = static_cast<std::uint64_t>(
            MillisecondsFromCivil({2026, 12, 7, hour, minute, second, 0, 0}) - 9 * 3'600'000LL);
    }
    // "Wake up" rings at 07:30 and is snoozed for a minute, meanwhile does its part, then the minute is over.
    enum class SnoozeEnd { Rings, Missed, Nothing };
    void SnoozeThen(const char* name, const std::function<void()>& meanwhile, SnoozeEnd then) {
        SCOPED_TRACE(name);
        At(7, 29, 50);
        StartWith({{{L"Time", L"07:30"}, {L"Label", L"Wake up"}, {L"Snooze", L"1"}}});
        At(7, 30, 5);
        Moment();
        ASSERT_TRUE(Rings(L"Wake up"));
        Click(IDS_ALARM_SNOOZE);
        EXPECT_NE(store_.Below(AlarmKey(1)).Stored(L"Snoozed").value_or(L""), L"") << "kept with its alarm";
        const std::size_t sounds = sounds_.size();
        meanwhile();
        if (then != SnoozeEnd::Missed) {
            Later(60);
            Moment();
        }
        EXPECT_EQ(Rings(L"Wake up"), then == SnoozeEnd::Rings) << testing::PrintToString(Face());
        EXPECT_EQ(ShowsMissed(L"Wake up"), then == SnoozeEnd::Missed) << testing::PrintToString(Face());
        EXPECT_EQ(Choice(IDS_ALARM_DISMISS) != nullptr, then != SnoozeEnd::Nothing) << testing::PrintToString(Face());
        EXPECT_EQ(store_.Below(AlarmKey(1)).Stored(L"Snoozed").value_or(L""), L"") << "over, or gone";
        EXPECT_TRUE(then != SnoozeEnd::Missed || sounds_.size() == sounds) << "not rung late";
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
    EXPECT_EQ(bell.Next(0)->when, L"Mon 7:30 AM") << "the user's time format, as the list and the ring show it";

    // 07:30 in Tokyo: both Monday alarms, one after the other, the first with its sound and notification.
    Later(15);
    Moment();
    EXPECT_NE(Face().find(L"Wake up"), std::wstring::npos) << testing::PrintToString(Face());
    EXPECT_TRUE(Choice(IDS_ALARM_DISMISS) && Choice(IDS_ALARM_SNOOZE));
    ASSERT_FALSE(sounds_.empty());
    EXPECT_EQ(sounds_.back(), std::make_pair(std::wstring(L"Alarm02"), SoundPlay::Repeat));
    EXPECT_EQ(BalloonTitles(), (std::vector<std::wstring>{L"Wake up", L"Tea"})) << "each told at its own time";
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

// Each ring shows on its face and in a notification at its own time, whatever else rings; one that reaches
// the face after its minute (behind a ring nobody answered) is shown as missed, never rung late; and so is
// a one-date alarm whose moment passed before the program ever ran.
TEST_F(ClockAlarm, EveryAlarmRingsAtItsOwnTimeAndWhatCouldNotIsShownMissed) {
    StartWith({{{L"Time", L"13:00"}, {L"Label", L"Lunch"}, {L"Sound", L"Alarm03"}},
               {{L"Time", L"13:30"}, {L"Label", L"Call"}, {L"Sound", L"Alarm04"}},
               {{L"Time", L"13:30"}, {L"Label", L"Pills"}}});
    At(13, 0, 5);
    Moment();
    EXPECT_TRUE(Rings(L"Lunch"));
    // Nobody there at 13:00: at 13:30 the later alarms show and sound all the same, at their time.
    At(13, 30, 5);
    Moment();
    EXPECT_TRUE(Rings(L"Call")) << testing::PrintToString(Face());
    EXPECT_EQ(sounds_.back(), std::make_pair(std::wstring(L"Alarm04"), SoundPlay::Repeat));
    EXPECT_EQ(BalloonTitles(), (std::vector<std::wstring>{L"Lunch", L"Call", L"Pills"}));
    // Answered two minutes on, the ring of the same minute and the unanswered one come as missed, silent.
    At(13, 32, 5);
    const std::size_t sounds = sounds_.size();
    Click(IDS_ALARM_DISMISS);
    EXPECT_TRUE(ShowsMissed(L"Pills")) << testing::PrintToString(Face());
    Click(IDS_ALARM_DISMISS);
    EXPECT_TRUE(ShowsMissed(L"Lunch")) << testing::PrintToString(Face());
    Click(IDS_ALARM_DISMISS);
    EXPECT_TRUE(TimeAgain()());
    EXPECT_EQ(sounds_.size(), sounds + 1) << "only the end of Call's sound";

    // A one-date alarm, still on, whose moment passed before the first start: missed once, switched off.
    // A daily alarm whose time passed before it keeps "a first run has missed nothing".
    StartWith({{{L"Time", L"09:00"}, {L"Date", L"2026-12-01"}, {L"Label", L"Dentist"}},
               {{L"Time", L"09:00"}, {L"Label", L"Daily"}}});
    EXPECT_TRUE(ShowsMissed(L"Dentist")) << testing::PrintToString(Face());
    EXPECT_EQ(store_.Below(AlarmKey(1)).Stored(L"On").value_or(L""), L"0");
    EXPECT_EQ(BalloonTitles(), (std::vector<std::wstring>{Tr(IDS_ALARM)}));
    Click(IDS_ALARM_DISMISS);
    EXPECT_TRUE(TimeAgain()()) << "the daily alarm is not shown";
    Restart();
    EXPECT_FALSE(Choice(IDS_ALARM_DISMISS)) << "missed once";
}

// A snooze belongs to the alarm as it was, and to its minute: kept across a restart, shown as missed when
// it ended in a sleep, and gone when the alarm is switched off, changed, or removed and made again.
TEST_F(ClockAlarm, ASnoozeIsKeptWithItsAlarmAndNeverRingsLate) {
    struct Case {
        const char* name;
        std::function<void()> meanwhile;
        SnoozeEnd then;
    };
    const auto store = [this] { return store_.Below(AlarmKey(1)); };
    const auto reload = [this] { form_->Bell()->Reload(); };
    const auto byHand = [&](const wchar_t* name, const wchar_t* text) -> std::function<void()> {
        return [&, name, text] {
            store().WriteSetting(name, text);
            reload();
        };
    };
    const Case cases[] = {
        {"a restart", [&] { Restart(); }, SnoozeEnd::Rings},
        {"asleep through its end",
         [&] {
             Later(300);
             SendMessageW(form_->Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
         },
         SnoozeEnd::Missed},
        {"switched off by hand", byHand(L"On", L"0"), SnoozeEnd::Nothing},
        {"switched off and on in its list",
         [&] {
             WriteStoredAlarm(store(), StoredSwitchOf(false));
             WriteStoredAlarm(store(), StoredSwitchOf(true));
             reload();
         },
         SnoozeEnd::Nothing},
        {"changed by hand", byHand(L"Label", L"Get up"), SnoozeEnd::Nothing},
        // Its number taken by a new alarm before the bell read the change: the new one is not snoozed.
        {"removed and another made in its place",
         [&] {
             store_.DeleteBelow(AlarmKey(1));
             Alarm(1, {{L"Time", L"07:30"}, {L"Label", L"Tea"}, {L"Snooze", L"1"}});
             reload();
         },
         SnoozeEnd::Nothing},
    };
    for (const Case& c : cases) SnoozeThen(c.name, c.meanwhile, c.then);
}

// Boxes come after the walk over the clocks that found what they say: a box runs messages, and a clock
// made or an alarm changed meanwhile would change the lists under the walk. While the box for the first
// clock's bad alarm is open, the other clock's alarms have been read already.
TEST_F(ClockAlarm, ABadAlarmIsSaidAfterEveryClockHasBeenRead) {
    form_.reset();
    const SettingsStore other = ClockStore(store_, 1);
    other.WriteSetting(L"Open", L"1");
    other.Below(AlarmKey(1)).WriteSetting(L"Time", L"08:00");
    bool otherRead = false;
    whileBoxIsOpen_ = [&] { otherRead = form_ && form_->Bell() && form_->Bell()->Next(1).has_value(); };
    boxes_.clear();
    LoadClock();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(otherRead);
}

// With no audio device both PlaySound calls fail: nothing is said to be played, the user is told once,
// and the face and the notification still tell each ring. (Wine here may or may not have a device: the
// sound goes through its seam; on Windows without one, PlaySound returns FALSE for a file and an alias.)
TEST_F(ClockAlarm, WithNoSoundTheRingStillShowsAndTheUserIsToldOnce) {
    StartWith({{{L"Time", L"07:30"}, {L"Label", L"Wake up"}}, {{L"Time", L"07:45"}, {L"Label", L"Leave"}}});
    noAudioDevice_ = true;
    At(7, 30, 5);
    Moment();
    EXPECT_TRUE(Rings(L"Wake up"));
    EXPECT_EQ(BalloonTitles(), (std::vector<std::wstring>{L"Wake up"}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].description, Tr(IDS_ALARM_NO_SOUND));
    Click(IDS_ALARM_DISMISS);
    At(7, 45, 5);
    Moment();
    EXPECT_TRUE(Rings(L"Leave"));
    EXPECT_EQ(boxes_.size(), 1u) << "once";
}

// A ringing clock answers its click and keys while a window waits for its answer (the settings, Clock
// options, the alarms): that window disables every other; the ringing clock is enabled for its choices
// alone, and disabled again once answered while the window is still open.
TEST_F(ClockAlarm, ARingingClockIsAnsweredWhileAModalWindowIsOpen) {
    const UniqueWindow other(CreateWindowExW(0, L"STATIC", L"another clock", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                             nullptr, nullptr, nullptr, nullptr));
    const HWND clock = form_->Handle();
    {
        DisabledWindows modal;
        modal.DisableAllBut(nullptr);
        EXPECT_FALSE(IsWindowEnabled(clock));
        Later(15);
        Moment();
        EXPECT_TRUE(IsWindowEnabled(clock)) << "ringing";
        EXPECT_FALSE(IsWindowEnabled(other.get()));
        // Only its choices: the window's menu and the tray do not open under the modal window.
        SendMessageW(clock, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_TRUE(IsWindowVisible(clock) && !IsIconic(clock));
        Press('S', Shows(L"Tea"));  // the next ring of the minute, still answerable
        EXPECT_TRUE(IsWindowEnabled(clock));
        Press(VK_RETURN, TimeAgain());
        EXPECT_FALSE(IsWindowEnabled(clock)) << "answered: disabled again while the modal window is open";
        modal.EnableAgain();
    }
    EXPECT_TRUE(IsWindowEnabled(clock) && IsWindowEnabled(other.get()));
    // Ringing before the modal window opens: left enabled, and disabled once answered; enabled with the rest.
    Later(60);
    Moment();
    ASSERT_TRUE(Rings(L"Wake up"));
    DisabledWindows modal;
    modal.DisableAllBut(nullptr);
    EXPECT_TRUE(IsWindowEnabled(clock));
    EXPECT_FALSE(IsWindowEnabled(other.get()));
    Click(IDS_ALARM_DISMISS);
    EXPECT_FALSE(IsWindowEnabled(clock));
    modal.EnableAgain();
    EXPECT_TRUE(IsWindowEnabled(clock));
}

}  // namespace
}  // namespace tellurane
