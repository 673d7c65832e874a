#pragma once
// Drives the real Tellurane.exe as a user would: starts it on a clean or prepared store, finds its
// windows, reads and clicks them, answers its boxes, and ends it whatever happens.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "logic/layouts.h"
#include "tests/support/desktop.h"

namespace tellurane {

class RunningClock : public ::testing::Test {
protected:
    static constexpr wchar_t kClockClass[] = L"Tellurane.Form1";
    static constexpr wchar_t kSettingsClass[] = L"Tellurane.Form2";

    RunningClock() {
        support::BecomePerMonitorDpiAware();
        RegDeleteTreeW(HKEY_CURRENT_USER, store_.KeyPath().c_str());
    }
    ~RunningClock() override {
        clock_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, store_.KeyPath().c_str());
    }

    // Starts the program; with waitForWindow, returns once its clock window shows.
    void Start(bool waitForWindow = true);
    // Closes the clock window as the close box does; true when the program ended within the time.
    bool CloseWithin(std::chrono::milliseconds time, DWORD* exitCode = nullptr);

    HWND Window() const { return window_; }
    HWND Face() const { return GetDlgItem(window_, form1::kPushButton1); }
    std::wstring FaceText() const { return support::WindowText(Face()); }
    RECT Frame() const;

    std::vector<HWND> Boxes() const;
    // Waits for the next error box, returns its text, presses its OK and waits for it to go.
    std::wstring AnswerNextBox(std::chrono::milliseconds timeout = support::kStateTimeout);

    // A real click on the clock face; returns the settings window once it shows.
    HWND OpenSettingsByClickingTheFace();
    // A right click on the face; true once its menu shows.
    bool OpenFaceMenu();
    // The popup menus of the program showing now: the face's, and a submenu of it.
    std::size_t MenusShown() const;
    // Clock options of the first clock, from its face's menu.
    HWND OpenClockOptionsFromTheMenu();
    HWND Settings() const;
    void PostClick(HWND button) const { PostMessageW(button, BM_CLICK, 0, 0); }

    // The bounding box of the face's text on screen, found by its colour: how big it is drawn.
    RECT FaceTextExtent(COLORREF colour) const;
    bool IsTopMost() const { return (GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

    std::wstring Stored(std::wstring_view key) const { return store_.ReadSetting(key, -999); }
    void Store(std::wstring_view key, std::wstring_view text) const { store_.WriteSetting(key, text); }

    void Screenshot(const std::wstring& name) const;

    SettingsStore store_;
    std::wstring exe_ = TELLURANE_EXE;  // what Start starts
    std::unique_ptr<support::LaunchedProgram> clock_;
    HWND window_ = nullptr;
};

}  // namespace tellurane
