#include "logic/tray/tray_protocol.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "logic/app_error.h"

namespace tellurane {
namespace {

TEST(MapTrayMessage, TurnsTheShellsCodesIntoMouseEventsWithTheirButton) {
    struct Case {
        std::uint32_t code;
        TrayEvent event;
        std::int16_t button;
    };
    const Case cases[] = {
        {0x200, TrayEvent::MouseMove, 0},
        {0x201, TrayEvent::MouseDown, 1},
        {0x202, TrayEvent::MouseUp, 1},
        {0x203, TrayEvent::MouseDoubleClick, 1},
        {0x204, TrayEvent::MouseDown, 2},
        {0x205, TrayEvent::MouseUp, 2},
        {0x206, TrayEvent::MouseDoubleClick, 2},
        {0x403, TrayEvent::BalloonGone, 0},
        {0x404, TrayEvent::BalloonGone, 0},
        {0x405, TrayEvent::BalloonClicked, 0},
        {0x207, TrayEvent::None, 0},
        {0x208, TrayEvent::None, 0},
        {0x402, TrayEvent::None, 0},
        {0x000, TrayEvent::None, 0},
    };
    for (const Case& c : cases) {
        const TrayNotification notification = MapTrayMessage(c.code);
        EXPECT_EQ(notification.event, c.event) << std::hex << c.code;
        EXPECT_EQ(notification.button, c.button) << std::hex << c.code;
    }
}

TEST(FillTextField, PutsTheTextANulAndSpacesToTheEnd) {
    wchar_t field[8];
    FillTextField(L"Tell", field, std::size(field));
    EXPECT_EQ(std::wstring(field, std::size(field)), std::wstring(L"Tell\0   ", 8));
    FillTextField(L"", field, std::size(field));
    EXPECT_EQ(std::wstring(field, std::size(field)), std::wstring(L"\0       ", 8));
}

TEST(FillTextField, ALongTextIsCutSoThatTheFieldStillEndsItsTextAndNoCharacterIsHalved) {
    wchar_t tip[128];
    FillTextField(std::wstring(127, L'a'), tip, std::size(tip));
    EXPECT_EQ(std::wstring(tip, 127), std::wstring(127, L'a'));
    EXPECT_EQ(tip[127], L'\0');
    FillTextField(std::wstring(300, L'b'), tip, std::size(tip));
    EXPECT_EQ(std::wstring(tip, 127), std::wstring(127, L'b'));
    EXPECT_EQ(tip[127], L'\0');

    // UTF-16 as Windows holds it (spelt out in code units, so that a host with 32-bit wchar_t sees the
    // same): U+1F600 is two units, and a cut between them would leave half a character.
    const std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    FillTextField(std::wstring(126, L'c') + pair, tip, std::size(tip));  // its second half would be the NUL's
    EXPECT_EQ(std::wstring(tip, 128), std::wstring(126, L'c') + L'\0' + L' ');
    FillTextField(std::wstring(125, L'd') + pair + L"e", tip, std::size(tip));  // it fits just
    EXPECT_EQ(std::wstring(tip, 128), std::wstring(125, L'd') + pair + L'\0');
    FillTextField(pair, tip, 2);  // nothing of it fits
    EXPECT_EQ(std::wstring(tip, 2), std::wstring(L"\0 ", 2));
}

TEST(BalloonTimeoutMilliseconds, ConvertsSecondsAndRefusesWhatOverflows) {
    EXPECT_EQ(BalloonTimeoutMilliseconds(5), 5000u);
    EXPECT_EQ(BalloonTimeoutMilliseconds(0), 0u);
    EXPECT_EQ(BalloonTimeoutMilliseconds(-3), 0u);
    EXPECT_EQ(BalloonTimeoutMilliseconds(2147483), 2147483000u);
    EXPECT_THROW(BalloonTimeoutMilliseconds(2147484), AppError);
}

}  // namespace
}  // namespace tellurane
