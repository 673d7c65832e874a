#include "tests/e2e/clock_driver.h"

#include <algorithm>

namespace tellurane {

using namespace std::chrono_literals;
using support::WaitUntil;

void RunningClock::Start(bool waitForWindow) {
    // No program of ours runs now: any icon shown is a ghost of an earlier test's, which later counts
    // of "the" icon would take for a second one. (A test that counts icons says so if one stays.)
    support::WaitForTrayIcons(0);
    clock_ = std::make_unique<support::LaunchedProgram>(exe_);
    ASSERT_TRUE(clock_->Started());
    if (!waitForWindow) return;
    window_ = support::FindTopLevel(clock_->ProcessId(), kClockClass, support::kStateTimeout);
    ASSERT_TRUE(window_) << "the clock window did not appear";
    ASSERT_TRUE(WaitUntil([&] { return !FaceText().empty(); }, support::kStateTimeout)) << "the face stayed blank";
}

bool RunningClock::CloseWithin(std::chrono::milliseconds time, DWORD* exitCode) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    DWORD code = 0;
    const bool ended = clock_->WaitForExit(time, code);
    if (exitCode) *exitCode = code;
    return ended;
}

RECT RunningClock::Frame() const {
    RECT frame{};
    GetWindowRect(window_, &frame);
    return frame;
}

std::vector<HWND> RunningClock::Boxes() const {
    std::vector<HWND> boxes;
    for (HWND window : support::TopLevelWindowsOf(clock_->ProcessId())) {
        if (support::ClassOf(window) == L"#32770" && IsWindowVisible(window) && GetDlgItem(window, 0xFFFF)) {
            boxes.push_back(window);
        }
    }
    return boxes;
}

std::wstring RunningClock::AnswerNextBox(std::chrono::milliseconds timeout) {
    HWND box = nullptr;
    if (!WaitUntil(
            [&] {
                const auto boxes = Boxes();
                box = boxes.empty() ? nullptr : boxes.front();
                return box != nullptr;
            },
            timeout)) {
        return L"<no box>";
    }
    std::wstring text = support::WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(box); }, support::kStateTimeout);
    return text;
}

HWND RunningClock::Settings() const { return support::FindTopLevel(clock_->ProcessId(), kSettingsClass, 0ms); }

std::size_t RunningClock::MenusShown() const {
    std::size_t shown = 0;
    for (HWND window : support::TopLevelWindowsOf(clock_->ProcessId())) {
        shown += support::ClassOf(window) == L"#32768" && IsWindowVisible(window);
    }
    return shown;
}

bool RunningClock::OpenFaceMenu() {
    RECT face;
    GetWindowRect(Face(), &face);
    support::ClickAt({(face.left + face.right) / 2, (face.top + face.bottom) / 2}, true);
    // Keys pressed before it shows would go to the face.
    return WaitUntil([&] { return MenusShown() > 0; }, support::kStateTimeout);
}

HWND RunningClock::OpenClockOptionsFromTheMenu() {
    if (!OpenFaceMenu()) return nullptr;
    support::PressKey('O');
    return support::FindTopLevel(clock_->ProcessId(), L"Tellurane.ClockOptions", support::kStateTimeout);
}

HWND RunningClock::OpenSettingsByClickingTheFace() {
    RECT face;
    GetWindowRect(Face(), &face);
    support::ClickAt({(face.left + face.right) / 2, (face.top + face.bottom) / 2});
    return support::FindTopLevel(clock_->ProcessId(), kSettingsClass, support::kStateTimeout);
}

RECT RunningClock::FaceTextExtent(COLORREF colour) const {
    RECT face;
    GetWindowRect(Face(), &face);
    RECT extent{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    HDC screen = GetDC(nullptr);
    // Inside the edges and the focus rectangle, which are drawn in black too.
    const int inset = MulDiv(7, static_cast<int>(GetDpiForWindow(Face())), 96);
    for (LONG y = face.top + inset; y < face.bottom - inset; ++y) {
        for (LONG x = face.left + inset; x < face.right - inset; ++x) {
            if (GetPixel(screen, x, y) != colour) continue;
            extent.left = std::min(extent.left, x);
            extent.top = std::min(extent.top, y);
            extent.right = std::max(extent.right, x + 1);
            extent.bottom = std::max(extent.bottom, y + 1);
        }
    }
    ReleaseDC(nullptr, screen);
    if (extent.left == LONG_MAX) return RECT{};
    return extent;
}

void RunningClock::Screenshot(const std::wstring& name) const {
    Sleep(300);  // what has just opened gets painted first
    support::SaveScreenshot(L"walkthrough-" + name + L"-" + std::to_wstring(support::ExpectedDpi()) + L"dpi");
}

}  // namespace tellurane
