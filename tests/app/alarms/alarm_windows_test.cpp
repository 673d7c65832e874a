// A clock's alarms made, switched, edited and removed in their windows by the keyboard alone, as stored.
// The alarm's own window is modal: the keys for it are pressed from a timer, which its loop runs.

#include <windows.h>
#include <mmsystem.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/alarms/alarm_sound.h"
#include "app/alarms/alarm_windows.h"
#include "app/main_module.h"
#include "app/system_clock.h"
#include "logic/layouts.h"
#include "logic/texts.h"
#include "tests/support/desktop.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

// Keys as a user presses them: a chord (Alt+A), or text typed.
void Chord(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs(2 * keys.size(), INPUT{INPUT_KEYBOARD, {}});
    for (std::size_t at = 0; at < keys.size(); ++at) {
        inputs[at].ki.wVk = keys[at];
        inputs[inputs.size() - 1 - at].ki = {keys[at], 0, KEYEVENTF_KEYUP, 0, 0};
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
void Type(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT keys[2] = {INPUT{INPUT_KEYBOARD, {.ki = {0, c, KEYEVENTF_UNICODE, 0, 0}}},
                         INPUT{INPUT_KEYBOARD, {.ki = {0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP, 0, 0}}}};
        SendInput(2, keys, sizeof(INPUT));
    }
}

// Steps run from a timer, each once its window is there: the timer runs in whichever loop is running.
std::vector<std::function<bool()>> g_steps;
void CALLBACK NextStep(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_steps.empty() && g_steps.front()()) g_steps.erase(g_steps.begin());
}

class AlarmWindows : public ::testing::Test {
protected:
    AlarmWindows() : store_(L"Marrowick", L"TelluraneTest" + std::to_wstring(GetCurrentProcessId())) {
        RegDeleteTreeW(HKEY_CURRENT_USER, store_.KeyPath().c_str());
    }
    ~AlarmWindows() override { RegDeleteTreeW(HKEY_CURRENT_USER, store_.KeyPath().c_str()); }
    std::wstring Stored(const wchar_t* name) { return store_.Below(L"Alarms\\1").ReadSetting(name, -1); }
    // In the alarm's window, focused on a field: the keys.
    static std::function<bool()> InEditor(const std::function<void()>& keys) {
        return [keys] {
            HWND editor = FindWindowW(L"Tellurane.Alarm", nullptr);
            if (!editor || GetForegroundWindow() != editor || !IsChild(editor, GetFocus())) return false;
            keys();
            return true;
        };
    }
    // Runs the steps while the list handles messages, until they are all done.
    void Run(AlarmList& list, std::vector<std::function<bool()>> steps) {
        g_steps = std::move(steps);
        SetTimer(list.Handle(), 9, 100, &NextStep);
        WaitSeconds(60, [] { return !g_steps.empty(); });
        WaitSeconds(0.5);
        EXPECT_TRUE(g_steps.empty()) << g_steps.size() << " steps left";
    }
    SettingsStore store_;
};

TEST_F(AlarmWindows, MadeSwitchedEditedAndRemovedByKeyboardAlone) {
    AlarmList list(store_);
    ASSERT_TRUE(list.Open(nullptr));
    EXPECT_TRUE(list.Alarms().empty());
    const auto inList = [&list](std::initializer_list<WORD> keys) {
        return [&list, held = std::vector<WORD>(keys)] {
            SetForegroundWindow(list.Handle());
            SetFocus(list.Control(alarm_list::kList));
            Chord(held);
            return true;
        };
    };
    // Add: an hour later than proposed, labelled, weekdays as proposed. The picker is Windows' own: set
    // as typing in it would (Wine 8's picker here takes no keys sent to it, though it has the focus).
    Run(list, {inList({VK_MENU, 'A'}), InEditor([] {
                   SYSTEMTIME time{2026, 12, 1, 7, 8, 0, 0, 0};
                   SendMessageW(GetFocus(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
               }),
               InEditor([] {
                   Chord({VK_MENU, 'L'});
               }),
               InEditor([] { Type(L"Tea"); }), InEditor([] { Chord({VK_RETURN}); })});
    ASSERT_EQ(list.Alarms().size(), 1u);
    EXPECT_EQ(Stored(L"Time"), L"08:00");
    EXPECT_EQ(Stored(L"Days"), L"Mon Tue Wed Thu Fri");
    EXPECT_EQ(Stored(L"Label"), L"Tea");
    EXPECT_EQ(Stored(L"On"), L"1");
    // Its switch: Space on its row.
    Run(list, {inList({VK_SPACE})});
    EXPECT_EQ(Stored(L"On"), L"0");
    // Edit (Enter): a new label, only on a date.
    Run(list, {inList({VK_RETURN}), InEditor([] {
                   Chord({VK_MENU, 'L'});
               }),
               InEditor([] { Type(L"Nap"); }), InEditor([] {
                   Chord({VK_MENU, 'D'});
               }),
               InEditor([] { Chord({VK_RETURN}); })});
    EXPECT_EQ(Stored(L"Label"), L"Nap");
    EXPECT_EQ(Stored(L"Days"), L"");
    EXPECT_EQ(Stored(L"Date").size(), 10u) << "YYYY-MM-DD";
    EXPECT_EQ(Stored(L"Time"), L"08:00");
    // Remove (Delete), then Esc closes the list.
    Run(list, {inList({VK_DELETE})});
    EXPECT_TRUE(list.Alarms().empty());
    EXPECT_EQ(Stored(L"Time"), L"-1") << "its key deleted";
    Run(list, {inList({VK_ESCAPE})});
    EXPECT_FALSE(IsWindow(list.Handle()));
    // A week as the user's locale writes it: from its first day (Sunday in the US, as here), not Monday's.
    ASSERT_EQ(FirstDayOfWeek(), 6);
    Alarm weekend{};
    weekend.days = 0b1000011;  // Sunday, Monday and Saturday
    EXPECT_EQ(ShownAlarmDays(weekend), L"Sun, Mon, Sat");
}

// A sound whose path is longer than PlaySound can play is refused when the alarm is saved, with a word,
// while another can still be chosen; the alarm is kept once it has one that can play.
std::wstring g_boxText;
int WINAPI BoxStandIn(HWND, LPCWSTR text, LPCWSTR, UINT) {
    g_boxText = text;
    return IDOK;
}

TEST_F(AlarmWindows, ASoundPathTooLongToPlayIsRefusedWhenSaved) {
    Alarm alarm;
    alarm.sound = L"C:\\" + std::wstring(kLongestSoundPath, L'a') + L".wav";
    AlarmEditor editor(alarm);
    ASSERT_TRUE(editor.Open(nullptr));
    const MessageBoxFunction before = SetMessageBoxFunction(&BoxStandIn);
    g_boxText.clear();
    SendMessageW(editor.Control(alarm_edit::kOk), BM_CLICK, 0, 0);
    EXPECT_EQ(g_boxText, Tr(IDS_ALARM_SOUND_PATH_TOO_LONG, {std::to_wstring(kLongestSoundPath)}));
    EXPECT_TRUE(IsWindow(editor.Handle())) << "still open, to choose another";
    EXPECT_FALSE(editor.Result());
    SendMessageW(editor.Control(alarm_edit::kSound), CB_SETCURSEL, 0, 0);  // Windows' default
    SendMessageW(editor.Control(alarm_edit::kOk), BM_CLICK, 0, 0);
    SetMessageBoxFunction(before);
    ASSERT_TRUE(editor.Result());
    EXPECT_EQ(editor.Result()->sound, L"");
    EXPECT_FALSE(IsWindow(editor.Handle()));
}

// PlaySoundW as a machine answers it: the file, Windows' default by its alias, or neither (no device).
bool g_playsFile = true, g_playsAlias = true;
BOOL WINAPI PlaySoundStandIn(LPCWSTR sound, HMODULE, DWORD flags) {
    if (!sound) return TRUE;
    return (flags & SND_ALIAS) ? g_playsAlias : g_playsFile;
}

// What PlayClockSound answers: with no audio device both the file and Windows' default fail on Windows,
// and nothing is said to have played.
TEST(AlarmSound, SaysWhetherTheChosenSoundWindowsDefaultOrNothingPlayed) {
    struct Case {
        bool file, alias;  // whether PlaySound plays the file, and Windows' default by its alias
        bool ownFile;      // a WAV file of the user's, else Windows' default alarm sound
        SoundPlayed played;
    };
    const Case cases[] = {
        {true, true, true, SoundPlayed::Chosen},  {false, true, true, SoundPlayed::Default},
        {false, false, true, SoundPlayed::None},  {false, true, false, SoundPlayed::Chosen},
        {false, false, false, SoundPlayed::None},
    };
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring wave = std::wstring(folder) + L"tellurane-test.wav";
    {
        HANDLE file = CreateFileW(wave.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, "RIFF\x04\0\0\0WAVE", 12, &written, nullptr);
        CloseHandle(file);
    }
    for (const Case& c : cases) {
        g_playsFile = c.file;
        g_playsAlias = c.alias;
        EXPECT_EQ(PlayClockSoundWith(&PlaySoundStandIn, c.ownFile ? wave : L"", SoundPlay::Repeat), c.played)
            << c.file << c.alias << c.ownFile;
    }
    DeleteFileW(wave.c_str());
}

}  // namespace
}  // namespace tellurane
