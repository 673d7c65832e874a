// What the window base does to any window: its layer.

#include <gtest/gtest.h>

#include "logic/layouts.h"
#include "win32/form.h"
#include "win32/window.h"

namespace tellurane {
namespace {

TEST(TopMost, SetAndClearChangeOnlyTheLayer) {
    Form form(Form2Layout());
    ASSERT_TRUE(form.Create());
    RECT before;
    GetWindowRect(form.Handle(), &before);
    SetTopMost(form.Handle());
    EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ClearTopMost(form.Handle());
    EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT after;
    GetWindowRect(form.Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

}  // namespace
}  // namespace tellurane
