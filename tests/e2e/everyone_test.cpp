// The clock for everyone: driven by the keyboard alone, and readable under any system colours.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/settings/reg_stuff.h"
#include "logic/setting_keys.h"
#include "tests/e2e/clock_driver.h"
#include "tests/helpers/scheme_block.h"

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

    // The captions of the clock, its settings and its Clock options, read off the screen.
    // What was painted reaches the screen a moment later, longer on a busy machine: a caption is read
    // until it reads well, or the time is up.
    static double Reads(const RECT& rect) {
        double contrast = 0;
        WaitUntil([&] { return (contrast = support::TextContrastOnScreen(rect)) >= 4.5; }, support::kStateTimeout);
        return contrast;
    }
    // A control's caption: inside its edges.
    static RECT Inner(HWND control) {
        const int edge = MulDiv(6, support::ExpectedDpi(), 96);
        RECT rect;
        GetWindowRect(control, &rect);
        InflateRect(&rect, -edge, -edge);
        return rect;
    }
    void ExpectTheFaceToRead(const wchar_t* scheme) const {
        EXPECT_GE(Reads(Inner(Face())), 4.5) << "the face on the " << scheme;
        Screenshot(std::wstring(L"52-clock-on-the-") + scheme);
    }
    void ExpectTheSettingsToRead(const wchar_t* scheme) const {
        const int dpi = support::ExpectedDpi();
        // A frame's title sits on its top line, from a little way in.
        RECT title;
        GetWindowRect(Item(form2::kFrame1), &title);
        title.bottom = title.top + MulDiv(12, dpi, 96);
        title.left += MulDiv(10, dpi, 96);
        title.right = title.left + MulDiv(40, dpi, 96);
        const std::pair<const wchar_t*, RECT> captions[] = {{L"OK", Inner(Item(form2::kPushButton1))},
                                                            {L"Change", Inner(Item(form2::kPushButton3))},
                                                            {L"Font Size", title}};
        for (const auto& [name, rect] : captions) {
            EXPECT_GE(Reads(rect), 4.5) << testing::PrintToString(std::wstring(name)) << " on the " << scheme;
        }
        Screenshot(std::wstring(L"52-settings-on-the-") + scheme);
    }
    bool SettingsSurfaceIsBlack() const {
        RECT rect;
        GetWindowRect(Item(form2::kFrame1), &rect);
        HDC screen = GetDC(nullptr);
        const COLORREF pixel = GetPixel(screen, (rect.left + rect.right) / 2, rect.bottom - 3);
        ReleaseDC(nullptr, screen);
        return pixel == RGB(0, 0, 0);
    }
    // Clock options, opened under the dark scheme: its names, notes and buttons read as well.
    void ExpectClockOptionsToRead() {
        const HWND options = OpenClockOptionsFromTheMenu();
        ASSERT_TRUE(options);
        namespace co = clock_options;
        for (int id : {co::kZoneName, co::kTimeNote, co::kPreview, co::kCountdownNote, co::kOk}) {
            RECT text;
            GetWindowRect(GetDlgItem(options, id), &text);
            EXPECT_GE(Reads(text), 4.5) << id;
        }
        Screenshot(L"52-clock-options-on-the-dark-scheme");
        PostMessageW(options, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
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
    const std::vector<Stop> order = {{form2::kCheck1, keys::kAlwaysOnTop},
                                     {form2::kCheck3, keys::kRunAtStartup},
                                     {form2::kText1, {}},
                                     {form2::kPushButton3, {}},
                                     {form2::kCheck2, keys::kDayMonthYear},
                                     {form2::kCheck6, keys::kMilitaryTime},
                                     {form2::kCheck4, keys::kShowWeekday},
                                     {form2::kPushButton1, {}}};
    ASSERT_TRUE(WaitUntil([&] { return Focus() == Item(order[0].id); }, 3s)) << "the first control has no focus";
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_TRUE(WaitUntil([&] { return Focus() == Item(order[i].id); }, 3s)) << "stop " << i;
        if (!order[i].key.empty()) {
            support::PressKey(VK_SPACE);
            EXPECT_TRUE(WaitUntil([&] { return Stored(order[i].key) == L"1"; }, 3s)) << "stop " << i;
        }
        if (order[i].id == form2::kCheck3) {
            // Elevated from a folder its user owns, as Wine runs it: told why the entry is the user's only.
            EXPECT_NE(AnswerNextBox().find(L"administrator"), std::wstring::npos);
            EXPECT_TRUE(WaitUntil([&] { return Focus() == Item(form2::kCheck3); }, 3s)) << "the focus is lost";
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

// A dark scheme (button face and window black, their texts white), as a contrast theme gives, chosen
// while the program runs. Wine keeps each process's own copy of the system colours, so the scheme is
// set from inside the running program (a small library loaded into it sets it there), which also sends
// the WM_SYSCOLORCHANGE that Windows sends every window; the test process sets it too, and puts the
// user's colours back at the end.
class SystemColours {
public:
    SystemColours() {
        for (int i = 0; i < kCount; ++i) saved_[i] = GetSysColor(kIndexes[i]);
    }
    ~SystemColours() {
        SetSysColors(kCount, kIndexes, saved_);
        if (block_) CloseHandle(block_);
    }
    SystemColours(const SystemColours&) = delete;
    SystemColours& operator=(const SystemColours&) = delete;

    bool DarkIn(HANDLE process) {
        const COLORREF dark[kCount] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)};
        SetSysColors(kCount, kIndexes, dark);
        block_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(support::SchemeBlock),
                                    support::kSchemeBlockName);
        auto* scheme = block_ ? static_cast<support::SchemeBlock*>(MapViewOfFile(block_, FILE_MAP_WRITE, 0, 0, 0))
                              : nullptr;
        if (!scheme) return false;
        scheme->count = kCount;
        std::copy(kIndexes, kIndexes + kCount, scheme->indexes);
        std::copy(dark, dark + kCount, scheme->colours);
        UnmapViewOfFile(scheme);
        return LoadInto(process, SYS_COLOURS_DLL);
    }

private:
    static bool LoadInto(HANDLE process, const wchar_t* library) {
        const SIZE_T bytes = (wcslen(library) + 1) * sizeof(wchar_t);
        void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!remote) return false;
        bool loaded = false;
        // kernel32 lies at the same address in every process of a session.
        const FARPROC address = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW");
        LPTHREAD_START_ROUTINE load = nullptr;
        std::memcpy(&load, &address, sizeof load);
        if (WriteProcessMemory(process, remote, library, bytes, nullptr)) {
            if (HANDLE thread = CreateRemoteThread(process, nullptr, 0, load, remote, 0, nullptr)) {
                DWORD module = 0;
                loaded = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &module) &&
                         module != 0;
                CloseHandle(thread);
            }
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        return loaded;
    }

    static constexpr int kCount = 4;
    static constexpr int kIndexes[kCount] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT};
    COLORREF saved_[kCount];
    HANDLE block_ = nullptr;
};

TEST_F(Everyone, EveryCaptionContrastsWithWhatIsPaintedUnderItOnTheDefaultSchemeAndADarkOneChosenWhileItRuns) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectTheFaceToRead(L"default-scheme");
    HWND settings = OpenSettingsByClickingTheFace();
    ASSERT_TRUE(settings);
    ExpectTheSettingsToRead(L"default-scheme");

    // No restart: the open windows repaint in the new colours at once.
    SystemColours colours;
    ASSERT_TRUE(colours.DarkIn(clock_->Process())) << "the scheme could not be set inside the program";
    ASSERT_TRUE(WaitUntil([&] { return SettingsSurfaceIsBlack(); }, 5s))
        << "the running settings window kept its old colours";
    ExpectTheSettingsToRead(L"dark-scheme");
    PostClick(Item(form2::kPushButton1));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings); }, support::kStateTimeout));
    ExpectTheFaceToRead(L"dark-scheme");
    ASSERT_NO_FATAL_FAILURE(ExpectClockOptionsToRead());
    ASSERT_TRUE(CloseWithin(5s));
}

}  // namespace
}  // namespace tellurane
