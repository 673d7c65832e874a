#include "core/app_title.h"

#include <gtest/gtest.h>

namespace tellurane {
namespace {

TEST(ApplicationTitleFor, DropsTheLastWordOfAShortName) {
    EXPECT_EQ(ApplicationTitleFor(L"Marrowick Desktop Clock"), L"Marrowick Desktop");
}

TEST(ApplicationTitleFor, DropsWordsUntilAtMostFortyCharactersRemain) {
    const std::wstring name = L"One Two Three Four Five Six Seven Eightyeightyeight";  // eight words, 51 chars
    EXPECT_EQ(ApplicationTitleFor(name), L"One Two Three Four Five Six Seven");
    const std::wstring longer = L"Alpha Bravo Charlie Delta Echo Foxtrot Golf Hotelhotelhot";  // 55 chars
    EXPECT_EQ(ApplicationTitleFor(longer), L"Alpha Bravo Charlie Delta Echo Foxtrot");
}

TEST(ApplicationTitleFor, KeepsASingleWordWhole) {
    EXPECT_EQ(ApplicationTitleFor(kProductName), L"Tellurane");
    EXPECT_EQ(ApplicationTitleFor(std::wstring(50, L'x')), std::wstring(50, L'x'));
}

}  // namespace
}  // namespace tellurane
