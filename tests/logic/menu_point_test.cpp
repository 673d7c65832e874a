// Where a clock's menu opens: at the pointer for a click, under the face's middle for the keyboard.

#include "logic/menu_point.h"

#include <gtest/gtest.h>

namespace tellurane {
namespace {

TEST(MenuPoint, TheKeyboardOpensUnderTheFacesMiddleAndAClickAtThePointer) {
    const PixelRect face{-300, -200, -100, -100};
    struct Case {
        const char* what;
        ScreenPoint said, pointer, opens;
        bool keyboard;
    };
    for (const Case& c : {
             Case{"the Menu key", {-1, -1}, {500, 400}, {-200, -150}, true},
             Case{"a right click at (-1, -1), on a monitor left of and above the main one",
                  {-1, -1},
                  {-1, -1},
                  {-1, -1},
                  false},
             Case{"a right click at (-1, 0)", {-1, 0}, {-1, 0}, {-1, 0}, false},
             Case{"a right click at (0, -1)", {0, -1}, {0, -1}, {0, -1}, false},
             Case{"a right click on the face", {-250, -150}, {-250, -150}, {-250, -150}, false},
         }) {
        EXPECT_EQ(ContextMenuFromKeyboard(c.said, c.pointer), c.keyboard) << c.what;
        const ScreenPoint at = ContextMenuPoint(c.said, c.pointer, face);
        EXPECT_EQ(at, c.opens) << c.what << ": " << at.x << ", " << at.y;
    }
}

}  // namespace
}  // namespace tellurane
