// The clock for everyone: driven by the keyboard alone, and readable under any system colours.

#include <gtest/gtest.h>

#include <vector>

#include "core/setting_keys.h"
#include "settings/reg_stuff.h"
#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

class Everyone : public RunningClock {
protected:
    void TearDown() override { RegStuff::RemoveRunEntry(L"Tellurane.exe"); }

    HWND Focus() const {
        GUITHREADINFO info{sizeof info};
        return GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) ? info.hwndFocus : nullptr;
    }
    HWND Item(int id) const { return GetDlgItem(Settings(), id); }
    bool OpenSettingsWithTheKeyboard() {
        SetForegroundWindow(window_);
        WaitUntil([&] { return GetForegroundWindow() == window_; }, 2s);
        // From the unseen text box to the face; the face keeps the focus after the settings close.
        if (!WaitUntil([&] { return Focus() == Face(); }, 500ms)) support::PressKey(VK_TAB);
        if (!WaitUntil([&] { return Focus() == Face(); }, 3s)) return false;
        support::PressKey(VK_RETURN);
        return WaitUntil([&] { return Settings() != nullptr && IsWindowVisible(Settings()); }, 5s);
    }
};

TEST_F(Everyone, TheSettingsWorkWithTheKeyboardAlone) {
    Start();
    ASSERT_TRUE(OpenSettingsWithTheKeyboard()) << "Tab and Enter did not open the settings";
    HWND settings = Settings();
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == settings; }, 3s));

    // Tab visits every control in the layout's order; Space ticks each check box, and the store follows.
    struct Stop {
        int id;
        std::wstring_view key;  // the switch a Space writes, if any
    };
    const std::vector<Stop> order = {{form2::kCheck1, keys::kAlwaysOnTop}, {form2::kCheck3, keys::kRunAtStartup},
                                     {form2::kText1, {}},             {form2::kPushButton3, {}},
                                     {form2::kCheck2, keys::kDayMonthYear}, {form2::kCheck6, keys::kMilitaryTime},
                                     {form2::kCheck4, keys::kShowWeekday},  {form2::kPushButton1, {}}};
    ASSERT_TRUE(WaitUntil([&] { return Focus() == Item(order[0].id); }, 3s)) << "the first control has no focus";
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_TRUE(WaitUntil([&] { return Focus() == Item(order[i].id); }, 3s)) << "stop " << i;
        if (!order[i].key.empty()) {
            support::PressKey(VK_SPACE);
            EXPECT_TRUE(WaitUntil([&] { return Stored(order[i].key) == L"1"; }, 3s)) << "stop " << i;
        }
        if (order[i].id == form2::kPushButton3) {
            Screenshot(L"50-keyboard-focus-on-change");
            support::PressKey(VK_RETURN);  // Enter presses the focused button, not OK
            HWND dialog = nullptr;
            EXPECT_TRUE(WaitUntil([&] { return (dialog = FindWindowW(L"#32770", L"Color")) != nullptr; }, 5s))
                << "Enter on Change opened no colour dialog";
            if (dialog) {
                Sleep(300);
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                WaitUntil([&] { return !IsWindow(dialog); }, 5s);
            }
            EXPECT_TRUE(IsWindow(settings));
            WaitUntil([&] { return GetForegroundWindow() == settings; }, 3s);
        }
        if (i + 1 < order.size()) support::PressKey(VK_TAB);
    }
    Screenshot(L"51-keyboard-focus-on-ok");
    support::PressKey(VK_RETURN);  // on OK: closes
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings); }, 5s)) << "Enter on OK did not close the settings";

    // Esc does what the close box does: the text size is kept as typed.
    Sleep(1000);
    ASSERT_TRUE(OpenSettingsWithTheKeyboard());
    settings = Settings();
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == settings; }, 3s));
    SetWindowTextW(Item(form2::kText1), L"26");
    support::PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings); }, 5s)) << "Esc did not close the settings";
    EXPECT_EQ(Stored(keys::kFontSize), L"26");
}

// A dark scheme (button face and window black, their texts white), as a contrast theme gives.
// Wine keeps the system colours a program loaded when it started (each process caches them), so here
// the program starts under the scheme; the repaint of a running window when the colours change is
// checked in the test process itself (Layouts.EveryCaptionStaysReadableWhenTheSystemColoursChange).
class SystemColours {
public:
    SystemColours() {
        for (int i = 0; i < kCount; ++i) saved_[i] = GetSysColor(kIndexes[i]);
    }
    ~SystemColours() { SetSysColors(kCount, kIndexes, saved_); }
    void Dark() {
        const COLORREF dark[kCount] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)};
        SetSysColors(kCount, kIndexes, dark);
    }

private:
    static constexpr int kCount = 4;
    static constexpr int kIndexes[kCount] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT};
    COLORREF saved_[kCount];
};

TEST_F(Everyone, EveryCaptionContrastsWithWhatIsPaintedUnderItOnTheDefaultAndADarkScheme) {
    const auto inner = [](HWND control, int insetX, int insetY, int height = 0) {
        RECT rect;
        GetWindowRect(control, &rect);
        InflateRect(&rect, -insetX, -insetY);
        if (height) rect.bottom = rect.top + height;
        return rect;
    };
    const auto measure = [&](const wchar_t* scheme) {
        Start();
        ASSERT_TRUE(OpenSettingsByClickingTheFace());
        Sleep(500);
        const int dpi = support::ExpectedDpi();
        const int edge = MulDiv(6, dpi, 96);
        // A frame's title sits on its top line, from a little way in.
        RECT title = inner(Item(form2::kFrame1), 0, 0, MulDiv(12, dpi, 96));
        title.left += MulDiv(10, dpi, 96);
        title.right = title.left + MulDiv(40, dpi, 96);
        struct Caption {
            const wchar_t* name;
            RECT rect;
        };
        const Caption captions[] = {{L"OK", inner(Item(form2::kPushButton1), edge, edge)},
                                    {L"Change", inner(Item(form2::kPushButton3), edge, edge)},
                                    {L"Font Size", title},
                                    {L"the face", inner(Face(), edge, edge)}};
        for (const Caption& caption : captions) {
            EXPECT_GE(support::TextContrastOnScreen(caption.rect), 4.5) << caption.name << " on the " << scheme;
        }
        Screenshot(std::wstring(L"52-settings-on-the-") + scheme);
        ASSERT_TRUE(CloseWithin(5s));
    };
    measure(L"default-scheme");
    SystemColours colours;
    colours.Dark();
    ASSERT_EQ(GetSysColor(COLOR_BTNFACE), RGB(0, 0, 0)) << "the dark scheme did not take";
    measure(L"dark-scheme");
}

}  // namespace
}  // namespace tellurane
