#include "logic/tray/tray_protocol.h"

#include <gtest/gtest.h>

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
    char field[8];
    FillTextField("Tell", field, sizeof field);
    EXPECT_EQ(std::string(field, sizeof field), std::string("Tell\0   ", 8));
    FillTextField("", field, sizeof field);
    EXPECT_EQ(std::string(field, sizeof field), std::string("\0       ", 8));
}

TEST(FillTextField, ALongTextIsCutSoThatTheFieldStillEndsItsText) {
    char tip[128];
    FillTextField(std::string(127, 'a'), tip, sizeof tip);
    EXPECT_EQ(std::string(tip, 127), std::string(127, 'a'));
    EXPECT_EQ(tip[127], '\0');
    FillTextField(std::string(300, 'b'), tip, sizeof tip);
    EXPECT_EQ(std::string(tip, 127), std::string(127, 'b'));
    EXPECT_EQ(tip[127], '\0');
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
