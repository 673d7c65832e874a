// Every numbered step of the trapped handlers made to fail in turn, through the trap's seam: the box
// the user sees names the handler and that step, and the handler carries on.

#include <windows.h>
#include <cderr.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_module.h"
#include "logic/error_report.h"
#include "logic/product.h"
#include "logic/setting_keys.h"
#include "tests/app/clock/clock_fixture.h"

namespace tellurane {
namespace {

std::vector<std::wstring> g_boxTexts;

int WINAPI RecordBox(HWND, LPCWSTR text, LPCWSTR, UINT) {
    g_boxTexts.emplace_back(text);
    return IDOK;
}

// What the user does in the settings window once it is open; then it is closed as its close box does.
enum class InSettings { Nothing, PressOk, PressChange };
InSettings g_inSettings = InSettings::Nothing;

void CALLBACK UseTheSettings(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND settings = FindWindowW(L"Tellurane.Form2", nullptr);
    if (!settings) return;
    if (g_inSettings == InSettings::PressOk) SendMessageW(GetDlgItem(settings, form2::kPushButton1), BM_CLICK, 0, 0);
    if (g_inSettings == InSettings::PressChange) {
        SendMessageW(GetDlgItem(settings, form2::kPushButton3), BM_CLICK, 0, 0);
    }
    if (IsWindow(settings)) PostMessageW(settings, WM_CLOSE, 0, 0);
}

class ErrorBoxes : public ClockWindowTest {
protected:
    ErrorBoxes() : previous_(SetMessageBoxFunction(&RecordBox)) {}
    ~ErrorBoxes() override {
        ErrorTrap::failStep = nullptr;
        SetMessageBoxFunction(previous_);
    }

    ClockServices RealBoxServices() {
        ClockServices services = Services();
        services.report = &ShowApplicationError;
        return services;
    }

    // Opens the settings from the face as a click does, does what is asked there, and closes them.
    void ClickTheFace(InSettings action) {
        g_inSettings = action;
        SetTimer(nullptr, 0, 150, &UseTheSettings);
        form_->PushButton1_Click();
    }

    MessageBoxFunction previous_;
};

std::wstring BoxText(std::wstring_view location, int line) {
    return L"A failure made on purpose.\r\n" + std::wstring(location) + L"at line " + std::to_wstring(line) +
           L"\r\rPlease email screenshot of this message to " + std::wstring(kSupportAddress);
}

TEST_F(ErrorBoxes, EachNumberedStepOfEachTrappedHandlerShowsItsOwnLineAndTheHandlerCarriesOn) {
    struct Handler {
        std::wstring_view location;
        std::wstring_view said;  // as users' boxes quote it, written out so that a changed constant shows
        std::vector<int> lines;
        std::function<void()> run;
    };
    const std::vector<Handler> handlers = {
        {location::kForm1QueryUnload,
         L"in Vantorel2021/08/31.Form1.Form_QueryUnload ",
         {100, 102, 222, 223, 104, 106, 108, 110},
         [&] {
             SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
             MSG quit;
             PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
         }},
        {location::kForm1FaceClick,
         L"in Vantorel2021/08/31.Form1.PushButton1_Click ",
         {100, 102, 104, 106, 108, 112, 114},
         [&] { ClickTheFace(InSettings::Nothing); }},
        {location::kForm2Load,
         L"in Vantorel2021/08/31.Form2.Form_Load ",
         {100, 102, 108, 110, 112, 114, 116, 118, 120},
         [&] { ClickTheFace(InSettings::Nothing); }},
        {location::kForm2Ok,
         L"in Vantorel2021/08/31.Form2.PushButton1_Click ",
         {100},
         [&] { ClickTheFace(InSettings::PressOk); }},
        {location::kForm2Colour,
         L"in Vantorel2021/08/31.Form2.PushButton3_Click ",
         {102, 104, 106, 108, 110},
         [&] { ClickTheFace(InSettings::PressChange); }},
    };
    g_chosenColour = -1;  // "Change" opens the dialog, which the user cancels
    for (const Handler& handler : handlers) {
        for (int line : handler.lines) {
            form_ = std::make_unique<Form1>(store_, RealBoxServices());
            ASSERT_TRUE(form_->Load());
            form_->Timer1().SetEnabled(false);
            g_boxTexts.clear();
            ErrorTrap::failStep = [&](std::wstring_view where, int at) {
                return where == handler.location && at == line;
            };
            handler.run();
            ErrorTrap::failStep = nullptr;
            EXPECT_EQ(g_boxTexts, std::vector<std::wstring>{BoxText(handler.said, line)})
                << testing::PrintToString(std::wstring(handler.location)) << line;
            // Whatever failed, the handler carried on to its end: the face can be clicked again.
            if (!(handler.location == location::kForm1FaceClick && line == 114)) {
                EXPECT_FALSE(form_->OptionsOpen());
            }
            form_.reset();
        }
    }
}

TEST_F(ErrorBoxes, AFailedTestTakesItsThenBranch) {
    // The clock's load: its cursor test fails (104), so the cursor is loaded (106), which fails in its turn.
    ErrorTrap::failStep = [](std::wstring_view where, int at) { return where == location::kForm1Load && at == 104; };
    g_boxTexts.clear();
    form_ = std::make_unique<Form1>(store_, RealBoxServices());
    ASSERT_TRUE(form_->Load());
    ErrorTrap::failStep = nullptr;
    ASSERT_EQ(g_boxTexts.size(), 2u);
    EXPECT_EQ(g_boxTexts[0], BoxText(L"in Vantorel2021/08/31.Form1.Form_Load ", 104));
    EXPECT_NE(g_boxTexts[1].find(L"\r\nin Vantorel2021/08/31.Form1.Form_Load at line 106\r\r"), std::wstring::npos);

    // The face click's "Always on top" test fails: the window is made topmost (110), not cleared (112);
    // the settings load's cursor test fails: the cursor is loaded (106), which fails in its turn.
    form_->Timer1().SetEnabled(false);
    ErrorTrap::failStep = [](std::wstring_view where, int at) {
        return (where == location::kForm1FaceClick && (at == 108 || at == 110)) ||
               (where == location::kForm2Load && at == 104);
    };
    g_boxTexts.clear();
    ClickTheFace(InSettings::Nothing);
    ASSERT_EQ(g_boxTexts.size(), 4u);
    EXPECT_EQ(g_boxTexts[0], BoxText(L"in Vantorel2021/08/31.Form2.Form_Load ", 104));
    EXPECT_NE(g_boxTexts[1].find(L"\r\nin Vantorel2021/08/31.Form2.Form_Load at line 106\r\r"), std::wstring::npos);
    EXPECT_EQ(g_boxTexts[2], BoxText(L"in Vantorel2021/08/31.Form1.PushButton1_Click ", 108));
    EXPECT_EQ(g_boxTexts[3], BoxText(L"in Vantorel2021/08/31.Form1.PushButton1_Click ", 110));
}

TEST_F(ErrorBoxes, AColourDialogThatCannotOpenIsAFailureAndACancelIsNot) {
    g_chosenColour = -1;
    for (DWORD error : {DWORD{0}, DWORD{CDERR_INITIALIZATION}}) {
        form_ = std::make_unique<Form1>(store_, RealBoxServices());
        ASSERT_TRUE(form_->Load());
        form_->Timer1().SetEnabled(false);
        g_dialogError = error;
        g_boxTexts.clear();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, store_.KeyPath().c_str(), L"Font Color");
        ClickTheFace(InSettings::PressChange);
        g_dialogError = 0;
        if (error == 0) {
            EXPECT_TRUE(g_boxTexts.empty());
        } else {
            ASSERT_EQ(g_boxTexts.size(), 1u);
            EXPECT_EQ(g_boxTexts[0].substr(0, g_boxTexts[0].find(L"\r\n")),
                      L"The colour dialog could not be shown (common dialog error 0x0002).");
            EXPECT_NE(g_boxTexts[0].find(L"Form2.PushButton3_Click at line 104\r\r"), std::wstring::npos);
        }
        EXPECT_EQ(Stored(keys::kFontColor), L"0");  // the steps after it still ran
    }
}

}  // namespace
}  // namespace tellurane
