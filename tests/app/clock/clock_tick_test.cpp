// The clock tick inside the real clock window, with the time and the error box replaced.

#include <gtest/gtest.h>

#include <string>

#include "app/time_zones.h"
#include "logic/setting_keys.h"
#include "tests/app/clock/clock_fixture.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

class ClockTick : public ClockWindowTest {
protected:
    void SetUp() override { LoadClock(); }
    std::wstring Tick() {
        form_->Timer1_Timer();
        return form_->PushButton1().Caption();
    }
};

TEST_F(ClockTick, ShowsEveryCombinationOfTheThreeSwitches) {
    struct Case {
        const wchar_t *military, *dayFirst, *weekday, *caption;
    };
    const Case cases[] = {
        {L"0", L"0", L"0", L"09:05:09 PM 12/06/2026"},        {L"1", L"0", L"0", L"21:05:09 12/06/2026"},
        {L"0", L"1", L"0", L"09:05:09 PM 06/12/2026"},        {L"1", L"1", L"0", L"21:05:09 06/12/2026"},
        {L"0", L"0", L"1", L"09:05:09 PM 12/06/2026 Sunday"}, {L"1", L"0", L"1", L"21:05:09 12/06/2026 Sunday"},
        {L"0", L"1", L"1", L"09:05:09 PM 06/12/2026 Sunday"}, {L"1", L"1", L"1", L"21:05:09 06/12/2026 Sunday"},
    };
    for (const Case& c : cases) {
        Set(keys::kMilitaryTime, c.military);
        Set(keys::kDayMonthYear, c.dayFirst);
        Set(keys::kShowWeekday, c.weekday);
        EXPECT_EQ(Tick(), c.caption);
    }
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ClockTick, NothingStoredGivesTwelveHourMonthFirstWithoutWeekday) {
    EXPECT_EQ(Tick(), L"09:05:09 PM 12/06/2026");
}

TEST_F(ClockTick, OnlyTheValueOneSwitchesOn) {
    for (const wchar_t* off : {L"2", L"-1", L"0"}) {
        Set(keys::kMilitaryTime, off);
        Set(keys::kDayMonthYear, off);
        Set(keys::kShowWeekday, off);
        EXPECT_EQ(Tick(), L"09:05:09 PM 12/06/2026") << off;
    }
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ClockTick, ABadSwitchShowsTheBoxAtLineZeroAndCountsAsOn) {
    Set(keys::kMilitaryTime, L"x");
    EXPECT_EQ(Tick(), L"21:05:09 12/06/2026");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].location, L"in Vantorel2021/08/31.Form1.Timer1 ");
    EXPECT_EQ(boxes_[0].line, 0);
    EXPECT_NE(boxes_[0].description.find(L"\"x\""), std::wstring::npos);

    Set(keys::kMilitaryTime, L"0");
    Set(keys::kDayMonthYear, L"99999");
    Set(keys::kShowWeekday, L"");
    EXPECT_EQ(Tick(), L"09:05:09 PM 06/12/2026 Sunday");
    EXPECT_EQ(boxes_.size(), 3u);
}

TEST_F(ClockTick, ATickDuringAnOpenBoxKeepsTheClockGoingButOpensNoSecondBox) {
    Set(keys::kShowWeekday, L"bad");
    int nested = 0;
    whileBoxIsOpen_ = [&] {
        if (nested++ > 0) return;
        now_.local.second = 10;  // the next second arrives while the user reads the box
        EXPECT_EQ(Tick(), L"09:05:10 PM 12/06/2026 Sunday");
    };
    Tick();
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(nested, 1);
    // Mended, the face carries on without boxes.
    Set(keys::kShowWeekday, L"0");
    whileBoxIsOpen_ = nullptr;
    EXPECT_EQ(Tick(), L"09:05:10 PM 12/06/2026");
    EXPECT_EQ(boxes_.size(), 1u);
}

// As the program runs: the store learns of changes from Windows, and the tick reads nothing until one
// comes, whoever made it.
TEST_F(ClockTick, AWatchedStoreIsReadOnlyAfterAChangeByAnyone) {
    store_.WatchChanges();
    ASSERT_TRUE(store_.Watching());
    const std::wstring key = store_.KeyPath();
    const auto writeOutside = [&](std::wstring_view name, const wchar_t* text) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), std::wstring(name).c_str(), REG_SZ, text,
                        static_cast<DWORD>(wcslen(text) + 1) * DWORD{sizeof(wchar_t)});
    };
    const auto shownWithin1s = [&](const wchar_t* caption) {
        WaitSeconds(1, [&] { return Tick() != caption; });
        return Tick() == caption;
    };
    Set(keys::kMilitaryTime, L"1");  // through the store: seen at once
    EXPECT_EQ(Tick(), L"21:05:09 12/06/2026");
    const auto reads = store_.Reads();
    for (int tick = 0; tick < 5; ++tick) Tick();
    EXPECT_EQ(store_.Reads(), reads) << "read while nothing changed";

    writeOutside(keys::kDayMonthYear, L"1");
    EXPECT_TRUE(shownWithin1s(L"21:05:09 06/12/2026")) << "a value written past the store";
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    EXPECT_TRUE(shownWithin1s(L"09:05:09 PM 12/06/2026")) << "the key deleted";
    writeOutside(keys::kShowWeekday, L"1");
    EXPECT_TRUE(shownWithin1s(L"09:05:09 PM 12/06/2026 Sunday")) << "the key made again";

    // A bad value gives its box; put right while the box is open (whose loop runs no watch), it shows
    // at the next tick, and the box is the last.
    writeOutside(keys::kMilitaryTime, L"bad");
    EXPECT_TRUE(shownWithin1s(L"21:05:09 12/06/2026 Sunday"));
    whileBoxIsOpen_ = [&] {
        writeOutside(keys::kMilitaryTime, L"0");
        EXPECT_EQ(Tick(), L"09:05:09 PM 12/06/2026 Sunday");
    };
    const std::size_t boxes = boxes_.size();
    Tick();
    whileBoxIsOpen_ = nullptr;
    EXPECT_EQ(Tick(), L"09:05:09 PM 12/06/2026 Sunday");
    EXPECT_EQ(boxes_.size(), boxes + 1);
}

TEST_F(ClockTick, TheWeekdayIsAppendedToTheCaptionAsItStands) {
    Set(keys::kShowWeekday, L"1");
    now_.local = {2026, 12, 7, 0, 0, 0, 0, 1};  // midnight starting a Monday
    EXPECT_EQ(Tick(), L"12:00:00 AM 12/07/2026 Monday");
}

// The user's regional settings, changed as Control Panel changes them, and put back after.
class UserLocaleOverride {
public:
    UserLocaleOverride(LCTYPE type, const wchar_t* value) : type_(type) {
        GetLocaleInfoW(LOCALE_USER_DEFAULT, type, saved_, 16);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value);
    }
    ~UserLocaleOverride() { SetLocaleInfoW(LOCALE_USER_DEFAULT, type_, saved_); }

private:
    LCTYPE type_;
    wchar_t saved_[16] = {};
};

TEST_F(ClockTick, FollowsALocaleWhoseSeparatorsAreFullStops) {
    UserLocaleOverride time(LOCALE_STIME, L".");
    UserLocaleOverride date(LOCALE_SDATE, L".");
    Set(keys::kMilitaryTime, L"1");
    Set(keys::kDayMonthYear, L"1");
    EXPECT_EQ(Tick(), L"21.05.09 06.12.2026");
}

// A face of its own on "Local time" reads the computer's time as the plain face does, so it follows a new
// zone as the plain face does; and when Windows says the time or the zone changed (WM_TIMECHANGE, which
// Windows sends to every top-level window), the face shows it at once, not at the next second.
TEST_F(ClockTick, AFaceOfItsOwnShowsLocalTimeAsThePlainFaceAndAtOnceAfterATimeChange) {
    Set(L"Label", L"Here");
    LoadClock(true);
    EXPECT_EQ(Tick().rfind(L"Here 09:05:09 PM 12/06/2026", 0), 0u) << testing::PrintToString(Tick());
    now_.local = {2026, 12, 6, 22, 35, 9, 0, 0};  // the zone moved on by an hour and a half
    SendMessageW(form_->Handle(), WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(form_->PushButton1().Caption().rfind(L"Here 10:35:09 PM", 0), 0u)
        << testing::PrintToString(form_->PushButton1().Caption());
}

// Windows 7 has no call that lists the zones; its registry holds the same list, read the same way.
TEST(WindowsTimeZones, TheRegistryGivesTheSameListAsWindowsOwnCall) {
    const std::vector<ZoneChoice> listed = WindowsTimeZones(), registry = RegistryTimeZones();
    ASSERT_GT(listed.size(), 100u);
    ASSERT_EQ(registry.size(), listed.size());
    for (std::size_t index = 0; index < listed.size(); ++index) {
        EXPECT_EQ(registry[index].key, listed[index].key);
        EXPECT_EQ(registry[index].displayName, listed[index].displayName);
        EXPECT_EQ(registry[index].bias, listed[index].bias) << testing::PrintToString(listed[index].key);
    }
}

}  // namespace
}  // namespace tellurane
