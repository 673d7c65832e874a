// The face's menu, by mouse and by keyboard, and the text size on Ctrl + mouse wheel, in the running clock.

#include <gtest/gtest.h>

#include <string>

#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

class FaceMenu : public RunningClock {
protected:
    POINT FaceMiddle() const {
        RECT face;
        GetWindowRect(Face(), &face);
        return {(face.left + face.right) / 2, (face.top + face.bottom) / 2};
    }
    bool MenuOpens() const {
        return WaitUntil([&] { return MenusShown() > 0; }, support::kStateTimeout);
    }
    HWND Focus() const {
        GUITHREADINFO info{sizeof info};
        return GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) ? info.hwndFocus : nullptr;
    }
    static void Keys(std::initializer_list<WORD> held, WORD key) {
        std::vector<INPUT> inputs;
        const auto add = [&](WORD vk, DWORD flags) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        };
        for (WORD vk : held) add(vk, 0);
        add(key, 0);
        add(key, KEYEVENTF_KEYUP);
        for (WORD vk : held) add(vk, KEYEVENTF_KEYUP);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    static void CtrlWheel(int notches) {
        INPUT inputs[3] = {};
        inputs[0].type = inputs[2].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = inputs[2].ki.wVk = VK_CONTROL;
        inputs[2].ki.dwFlags = KEYEVENTF_KEYUP;
        inputs[1].type = INPUT_MOUSE;
        inputs[1].mi.dwFlags = MOUSEEVENTF_WHEEL;
        inputs[1].mi.mouseData = static_cast<DWORD>(notches) * WHEEL_DELTA;
        SendInput(3, inputs, sizeof(INPUT));
    }
    static std::wstring Clipboard() {
        std::wstring text;
        if (!OpenClipboard(nullptr)) return L"<closed>";
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return text;
    }

    // Copy time: the face's text as it was when chosen. Another program holds the clipboard for a moment
    // (a clipboard manager): the clock asks again.
    void CopyTimeWhileTheClipboardIsBusyForAMoment() {
        support::ClickAt(FaceMiddle(), true);
        ASSERT_TRUE(MenuOpens()) << "no menu on a right click";
        Screenshot(L"60-face-menu");
        const std::wstring before = FaceText();
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        support::PressKey('C');
        ASSERT_TRUE(WaitUntil([&] { return MenusShown() == 0; }, 3s));
        Sleep(150);
        CloseClipboard();
        std::wstring copied;
        EXPECT_TRUE(WaitUntil(
            [&] {
                copied = Clipboard();
                return copied == before || copied == FaceText();
            },
            2s))
            << testing::PrintToString(copied);
    }

    // Held for good: said plainly, not silently left undone.
    void CopyTimeWhileTheClipboardIsHeld() {
        ASSERT_TRUE(OpenClipboard(nullptr));
        support::ClickAt(FaceMiddle(), true);
        const bool opened = MenuOpens();
        if (opened) support::PressKey('C');
        const std::wstring said = opened ? AnswerNextBox() : L"";
        CloseClipboard();
        ASSERT_TRUE(opened);
        EXPECT_NE(said.find(L"could not be copied"), std::wstring::npos) << testing::PrintToString(said);
    }

    // Always on top, from the keyboard: stored and applied at once, and ticked the next time. The unseen
    // text box holds the focus when the clock is activated: the keys open the face's menu from there too
    // (an edit box would show its own Cut, Copy and Paste menu, where T cuts).
    void ToggleAlwaysOnTopFromTheKeyboard() {
        SetForegroundWindow(window_);
        ASSERT_TRUE(WaitUntil([&] { return Focus() == GetDlgItem(window_, form1::kText1); }, 3s));
        Keys({VK_SHIFT}, VK_F10);
        ASSERT_TRUE(MenuOpens()) << "no menu on Shift+F10";
        support::PressKey('T');
        EXPECT_TRUE(WaitUntil([&] { return Stored(keys::kAlwaysOnTop) == L"1" && IsTopMost(); }, 3s));
        support::PressKey(VK_APPS);
        ASSERT_TRUE(MenuOpens()) << "no menu on the Menu key";
        support::PressKey('T');
        EXPECT_TRUE(WaitUntil([&] { return Stored(keys::kAlwaysOnTop) == L"0" && !IsTopMost(); }, 3s));
    }

    // Settings…: what a left click does.
    void OpenAndCloseTheSettings() {
        support::PressKey(VK_APPS);
        ASSERT_TRUE(MenuOpens());
        support::PressKey('S');
        ASSERT_TRUE(WaitUntil([&] { return Settings() != nullptr; }, 5s)) << "no settings from the menu";
        PostMessageW(Settings(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return Settings() == nullptr; }, 5s));
    }
};

// One walk through what the menu does: by mouse, by the Menu key and Shift+F10 whatever holds the focus,
// its access keys, Copy time while another program holds the clipboard, and the wheel over the face.
TEST_F(FaceMenu, CopiesTheTimeTogglesAlwaysOnTopOpensTheSettingsResizesAndExits) {
    ASSERT_NO_FATAL_FAILURE(Start());
    SetForegroundWindow(window_);
    WaitUntil([&] { return GetForegroundWindow() == window_; }, 2s);
    ASSERT_NO_FATAL_FAILURE(CopyTimeWhileTheClipboardIsBusyForAMoment());
    ASSERT_NO_FATAL_FAILURE(CopyTimeWhileTheClipboardIsHeld());
    ASSERT_NO_FATAL_FAILURE(ToggleAlwaysOnTopFromTheKeyboard());
    ASSERT_NO_FATAL_FAILURE(OpenAndCloseTheSettings());

    // Ctrl + wheel over the face: a point a notch, stored.
    support::MoveMouseTo(FaceMiddle());
    CtrlWheel(1);
    EXPECT_TRUE(WaitUntil([&] { return Stored(keys::kFontSize) == L"21"; }, 3s)) << Stored(keys::kFontSize).c_str();
    CtrlWheel(-2);
    EXPECT_TRUE(WaitUntil([&] { return Stored(keys::kFontSize) == L"19"; }, 3s)) << Stored(keys::kFontSize).c_str();

    // Exit: the program ends as by its close box, its place saved.
    support::ClickAt(FaceMiddle(), true);
    ASSERT_TRUE(MenuOpens());
    support::PressKey('X');
    DWORD exitCode = 1;
    EXPECT_TRUE(clock_->WaitForExit(5s, exitCode)) << "still running after Exit";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_NE(Stored(keys::kForm1Top), L"-999");
}

}  // namespace
}  // namespace tellurane
