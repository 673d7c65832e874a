#include "logic/setting_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "logic/app_error.h"

namespace tellurane {
namespace {

const NumberFormat kUs{};
const NumberFormat kGerman{L",", L".", L"-"};

// One value of each setting's kind: what it holds, written and read back the same under any settings.
double SampleOf(const Setting& setting) {
    switch (setting.kind) {
        case ValueKind::Switch:
            return setting.high;
        case ValueKind::Size:
            return 24.5;
        case ValueKind::Colour:
            return 0x00FF8040;
        case ValueKind::Geometry:
            return -1935;
        case ValueKind::Text:
            break;
    }
    return 0;
}

// Texts no number of the setting's kind may be read from: not a number, and just outside its range.
std::vector<std::wstring> BadTextsOf(const Setting& setting) {
    std::vector<std::wstring> bad{L"", L"abc", L"1e999"};
    if (setting.low != setting.high) {
        bad.push_back(setting.kind == ValueKind::Size ? L"0" : NumberToStored(setting, setting.low - 1));
        bad.push_back(setting.kind == ValueKind::Size ? L"2160.5" : NumberToStored(setting, setting.high + 1));
    }
    if (setting.kind == ValueKind::Colour) bad.emplace_back(L"2147483648");  // beyond 32 bits
    return bad;
}

// Every stored value through its declaration: each name once, each number written as it reads back
// under every regional setting, each bad text refused, and a missing value read as declared.
TEST(SettingKeys, EveryValueRoundTripsAndRefusesBadTexts) {
    std::set<std::wstring_view> names;
    for (const Setting* setting : kAllSettings) {
        SCOPED_TRACE(std::string(setting->name.begin(), setting->name.end()));
        EXPECT_TRUE(names.insert(setting->name).second) << "declared twice";
        if (setting->kind == ValueKind::Text) {
            EXPECT_EQ(FallbackText(*setting, kUs), L"");
            EXPECT_THROW(StoredNumber(*setting, L"1", kUs), AppError);
            continue;
        }
        const std::wstring stored = NumberToStored(*setting, SampleOf(*setting));
        for (const NumberFormat* user : {&kUs, &kGerman}) {
            EXPECT_EQ(StoredNumber(*setting, stored, *user), SampleOf(*setting)) << stored;
            for (const std::wstring& bad : BadTextsOf(*setting)) {
                EXPECT_THROW(StoredNumber(*setting, bad, *user), AppError)
                    << "\"" << std::string(bad.begin(), bad.end());
            }
        }
        if (setting->fallback) {
            EXPECT_EQ(StoredNumber(*setting, FallbackText(*setting, kUs), kUs), *setting->fallback);
        } else {
            EXPECT_EQ(FallbackText(*setting, kUs), L"");
        }
    }
    EXPECT_EQ(names.size(), std::size(kAllSettings));
}

// What the conversions must keep for data that is already stored: the text size in the invariant form
// whatever the user's settings, a size typed under German settings read the same everywhere, a switch
// on only at 1, and a check box's grey state (2) kept.
TEST(SettingKeys, StoredFormsStayAsTheyWere) {
    EXPECT_EQ(NumberToStored(keys::kFontSize, 21), L"21");
    EXPECT_EQ(NumberToStored(keys::kFontSize, 24.5), L"24.5");
    EXPECT_EQ(NumberToStored(keys::kForm1Top, 1234.6), L"1235");
    EXPECT_EQ(NumberToStored(keys::kFontColor, 255), L"255");
    EXPECT_EQ(TypedToStored(L"24,5", kGerman), L"24.5");
    EXPECT_EQ(TypedToStored(L"24.5", kUs), L"24.5");
    EXPECT_EQ(TypedToStored(L"big", kUs), L"big");  // kept as typed, said where it is applied
    EXPECT_EQ(StoredNumber(keys::kFontSize, L"24,5", kGerman), 24.5);
    EXPECT_EQ(StoredNumber(keys::kAlwaysOnTop, L"2", kUs), 2);
    EXPECT_EQ(StoredNumber(keys::kFontSize, L"2160", kUs), 2160);  // the largest size itself
    // A value out of its range is told with its limits, or every state a switch may hold.
    struct Refusal {
        const Setting& setting;
        const wchar_t *text, *message;
    };
    for (const Refusal& r :
         {Refusal{keys::kFontSize, L"2160.25",
                  L"A font size of 2160.25 points is not possible: it must be above 0 and at most 2160."},
          Refusal{keys::kFontSize, L"-3",
                  L"A font size of -3 points is not possible: it must be above 0 and at most 2160."},
          Refusal{keys::kAlwaysOnTop, L"3", L"The stored state 3 is not one of a check box's states (0, 1 or 2)."},
          Refusal{keys::kOpen, L"-1", L"The stored state -1 is not one of a check box's states (0 or 1)."}}) {
        try {
            StoredNumber(r.setting, r.text, kUs);
            ADD_FAILURE() << "taken: " << testing::PrintToString(std::wstring(r.text));
        } catch (const AppError& error) {
            EXPECT_EQ(error.Description(), r.message);
        }
    }
    EXPECT_TRUE(StoredSwitchOn(L"1", kUs));
    EXPECT_FALSE(StoredSwitchOn(L"2", kUs));
    EXPECT_FALSE(StoredSwitchOn(L"-1", kUs));
    EXPECT_THROW(StoredSwitchOn(L"yes", kUs), AppError);
    EXPECT_EQ(FallbackText(keys::kFontSize, kUs), L"20");
    EXPECT_EQ(FallbackText(keys::kStepAside, kUs), L"1");
    EXPECT_FALSE(keys::kRunAtStartup.newClockTakes);
    EXPECT_EQ(keys::kRunAtStartup.holder, Holder::Program);
}

}  // namespace
}  // namespace tellurane
