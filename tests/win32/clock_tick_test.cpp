// The clock tick inside the real clock window, with the time and the error box replaced.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clock/form1.h"
#include "core/setting_keys.h"
#include "tests/support/desktop.h"

namespace tellurane {
namespace {

struct Box {
    std::wstring description, location;
    int line;
};

class ClockTick : public ::testing::Test {
protected:
    ClockTick()
        : store_(L"Marrowick", L"TelluraneTest" + std::to_wstring(GetCurrentProcessId())),
          form_(store_, [this](std::wstring_view description, std::wstring_view where, int line) { OnBox(description, where, line); },
                [this] { return now_; }) {}
    ~ClockTick() override { RegDeleteTreeW(HKEY_CURRENT_USER, store_.KeyPath().c_str()); }

    void SetUp() override {
        now_.local = {2026, 12, 6, 21, 5, 9, 0, 0};  // a Sunday evening
        now_.utcMilliseconds = 13'000'000'000'000;
        ASSERT_TRUE(form_.Load());
        form_.Timer1().SetEnabled(false);  // this test ticks by hand
    }

    void OnBox(std::wstring_view description, std::wstring_view where, int line) {
        boxes_.push_back({std::wstring(description), std::wstring(where), line});
        if (whileBoxIsOpen_) whileBoxIsOpen_();
    }

    std::wstring Tick() {
        form_.Timer1_Timer();
        return form_.PushButton1().Caption();
    }

    void Set(std::wstring_view key, std::wstring_view text) { store_.WriteSetting(key, text); }

    SettingsStore store_;
    ClockReading now_;
    std::vector<Box> boxes_;
    std::function<void()> whileBoxIsOpen_;
    Form1 form_;
};

TEST_F(ClockTick, ShowsEveryCombinationOfTheThreeSwitches) {
    struct Case {
        const wchar_t *military, *dayFirst, *weekday, *caption;
    };
    const Case cases[] = {
        {L"0", L"0", L"0", L"09:05:09 PM 12/06/2026"},       {L"1", L"0", L"0", L"21:05:09 12/06/2026"},
        {L"0", L"1", L"0", L"09:05:09 PM 06/12/2026"},       {L"1", L"1", L"0", L"21:05:09 06/12/2026"},
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

TEST_F(ClockTick, TheWeekdayIsAppendedToTheCaptionAsItStands) {
    Set(keys::kShowWeekday, L"1");
    now_.local = {2026, 12, 7, 0, 0, 0, 0, 1};  // midnight starting a Monday
    EXPECT_EQ(Tick(), L"12:00:00 AM 12/07/2026 Monday");
}

}  // namespace
}  // namespace tellurane
