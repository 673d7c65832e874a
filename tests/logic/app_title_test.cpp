#include "logic/app_title.h"

#include <gtest/gtest.h>

namespace tellurane {
namespace {

TEST(ApplicationTitleFor, DropsTheLastWordOfAShortName) {
    EXPECT_EQ(ApplicationTitleFor(L"Marrowick Desktop Clock"), L"Marrowick Desktop");
}

TEST(ApplicationTitleFor, DropsWordsUntilAtMostFortyCharactersRemain) {
    const std::wstring forty = std::wstring(34, L'a') + L" bbbbb";  // 40 characters
    struct Case {
        std::wstring name;
        std::wstring title;
    };
    const Case cases[] = {
        {L"One Two Three Four Five Six Seven Eightyeightyeight", L"One Two Three Four Five Six Seven"},
        {L"Alpha Bravo Charlie Delta Echo Foxtrot Golf Hotelhotelhot", L"Alpha Bravo Charlie Delta Echo Foxtrot"},
        {forty + L" Clock", forty},
        {forty + L"b Clock", std::wstring(34, L'a')},
        {L" Tellurane Clock", L"Tellurane"},
        {L"Tellurane  Desktop  Clock ", L"Tellurane  Desktop"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ApplicationTitleFor(c.name), c.title) << testing::PrintToString(c.name);
    }
}

TEST(ApplicationTitleFor, KeepsASingleWordWholeAndIsNeverEmpty) {
    EXPECT_EQ(ApplicationTitleFor(kProductName), L"Tellurane");
    EXPECT_EQ(ApplicationTitleFor(std::wstring(50, L'x')), std::wstring(50, L'x'));
    EXPECT_EQ(ApplicationTitleFor(L" Tellurane "), L"Tellurane");
    EXPECT_EQ(ApplicationTitleFor(L"  "), kProductName);
    EXPECT_EQ(ApplicationTitleFor(L""), kProductName);
}

}  // namespace
}  // namespace tellurane
