#pragma once
// A clock window in the test process, with its store in a section of its own, the time set by
// the test, and the error box, the shell and the colour dialog recorded instead of shown.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/clock/form1.h"

namespace tellurane {

struct RecordedBox {
    std::wstring description, location;
    int line;
};

class ClockWindowTest : public ::testing::Test {
protected:
    ClockWindowTest() : store_(L"Marrowick", L"TelluraneTest" + std::to_wstring(GetCurrentProcessId())) {
        RegDeleteTreeW(HKEY_CURRENT_USER, store_.KeyPath().c_str());
        now_.local = {2026, 12, 6, 21, 5, 9, 0, 0};  // a Sunday evening
        now_.utcMilliseconds = 13'000'000'000'000;
    }
    ~ClockWindowTest() override {
        form_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, store_.KeyPath().c_str());
    }

    ClockServices Services() {
        ClockServices services;
        services.report = [this](std::wstring_view description, std::wstring_view where, int line) {
            boxes_.push_back({std::wstring(description), std::wstring(where), line});
            if (whileBoxIsOpen_) whileBoxIsOpen_();
        };
        services.clock = [this] { return now_; };
        services.shell = [this](DWORD message, NOTIFYICONDATAW* data) {
            shellCalls_.push_back({message, *data});
            return message == NIM_DELETE || !shellRefuses_;
        };
        services.sound = [this](const std::wstring& sound, SoundPlay how) {
            sounds_.emplace_back(sound, how);
            if (noAudioDevice_) return SoundPlayed::None;
            // A file that is not there plays the default.
            return sound.find(L"gone") == std::wstring::npos ? SoundPlayed::Chosen : SoundPlayed::Default;
        };
        services.chooseColor = &ChooseColorStandIn;
        services.dialogError = &DialogErrorStandIn;
        return services;
    }

    // Loads the clock window with whatever the test has stored; its timer is stopped unless asked.
    Form1& LoadClock(bool ticking = false) {
        form_ = std::make_unique<Form1>(store_, Services());
        EXPECT_TRUE(form_->Load());
        if (!ticking) form_->Timer1().SetEnabled(false);
        return *form_;
    }

    void Set(std::wstring_view key, std::wstring_view text) { store_.WriteSetting(key, text); }
    std::wstring Stored(std::wstring_view key) { return store_.ReadSetting(key, -999); }

    // The colour dialog: answers with g_chosenColour, or cancels when it is negative.
    static inline long long g_chosenColour = -1;
    static inline int g_dialogCalls = 0;
    static inline DWORD g_dialogFlags = 0;
    static BOOL WINAPI ChooseColorStandIn(CHOOSECOLORW* dialog) {
        ++g_dialogCalls;
        g_dialogFlags = dialog->Flags;
        if (g_chosenColour < 0) return FALSE;
        dialog->rgbResult = static_cast<COLORREF>(g_chosenColour);
        return TRUE;
    }

    // CommDlgExtendedError after the dialog said FALSE: 0 is a cancel.
    static inline DWORD g_dialogError = 0;
    static DWORD WINAPI DialogErrorStandIn() { return g_dialogError; }

    struct ShellCall {
        DWORD message;
        NOTIFYICONDATAW data;
    };

    SettingsStore store_;
    ClockReading now_;
    std::vector<RecordedBox> boxes_;
    std::function<void()> whileBoxIsOpen_;
    std::vector<ShellCall> shellCalls_;
    bool shellRefuses_ = false;  // a notification area that does not answer yet
    std::vector<std::pair<std::wstring, SoundPlay>> sounds_;
    bool noAudioDevice_ = false;  // every PlaySound fails, as with no audio device
    std::unique_ptr<Form1> form_;
};

}  // namespace tellurane
