#pragma once
// What the Win32 and end-to-end tests use to look at windows as a user would:
// find them, read their text, press their buttons, and keep screenshots for review.

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <optional>
#include <vector>

namespace tellurane::support {

using namespace std::chrono_literals;

// Every wait ends: true when the condition held before the time was up.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout, bool handleMessages = false);
// How long to wait for a state that should come (a window, an icon, a text): a wait ends as soon as the
// state holds, so only a busy machine, or a fault, ever waits this long.
inline constexpr std::chrono::milliseconds kStateTimeout = 30s;

// Makes the calling test process see real pixels at every DPI.
void BecomePerMonitorDpiAware();

// The DPI the test run expects (TELLURANE_DPI, 96 by default).
int ExpectedDpi();

std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::vector<HWND> ChildrenOf(HWND parent);  // direct children, in z-order (the tab order)
HWND FindTopLevel(DWORD processId, const std::wstring& className, std::chrono::milliseconds timeout);
HWND FindMessageBox(DWORD processId, std::chrono::milliseconds timeout);
SIZE ClientSize(HWND window);
RECT ChildRectInClient(HWND child);

// A real mouse click (press and release) at a point of the screen.
void ClickAt(POINT point, bool rightButton = false);
// Presses the left button at one point, moves with it held once the window there has taken the press,
// and lets go at the other.
void DragFromTo(POINT from, POINT to);
// Moves the mouse there in real input steps, one pixel apart, so the window under it sees it move.
void MoveMouseTo(POINT point, int steps = 2);
void PressKey(WORD virtualKey);
// Waits until the notification area shows `count` of the blue icons. An icon whose program ended without
// taking it away stays there until the pointer passes over it (a "ghost"): while there are more, the
// pointer passes over them again and again, then goes back where it was. Not for checking that a program
// takes its own icon away, which a pass would do for it.
bool WaitForTrayIcons(std::size_t count, std::chrono::milliseconds timeout = kStateTimeout);

// The blue "M" icons in the taskbar's notification area, right to left; empty when there are none.
std::vector<RECT> TrayIconsShown();
// A balloon tip is showing somewhere on the desktop.
bool BalloonShown();
// The text of the balloon showing now, or an empty text.
std::wstring BalloonText();
// Wine 8's explorer shows a balloon as a tooltip window by the icon; Wine 10's shows none on a virtual
// desktop with a taskbar. Where none can be seen, the balloon's request is checked in the program's
// own process instead (the clock window's in-process tests read what it hands the shell).
bool BalloonsCanBeSeen();

// Writes a PNG of the whole desktop to the screenshot folder; returns its path, or empty on failure.
std::wstring SaveScreenshot(const std::wstring& name);
// A picture of a screen rectangle as it is now; several are saved side by side, in rows of `columns`,
// with a margin of the desktop's colour between them.
struct ScreenPart {
    std::shared_ptr<std::remove_pointer_t<HBITMAP>> bitmap;
    int width = 0, height = 0;
};
ScreenPart TakeScreenPart(const RECT& rect);
std::wstring SaveSideBySide(const std::wstring& name, const std::vector<ScreenPart>& parts, int columns);
// The contrast between the commonest colour of a screen rectangle (its background) and the colour
// in it that stands out most from that (its text): 1 when the rectangle holds no text at all.
double TextContrastOnScreen(const RECT& rect);

// A program started by a test: ended when the test ends, whatever happened.
class LaunchedProgram {
public:
    explicit LaunchedProgram(const std::wstring& path, const std::wstring& arguments = L"");
    ~LaunchedProgram();
    LaunchedProgram(const LaunchedProgram&) = delete;
    LaunchedProgram& operator=(const LaunchedProgram&) = delete;

    bool Started() const noexcept { return process_ != nullptr; }
    DWORD ProcessId() const noexcept { return processId_; }
    HANDLE Process() const noexcept { return process_; }
    // True when the program ended within the timeout; its exit code is then in exitCode.
    bool WaitForExit(std::chrono::milliseconds timeout, DWORD& exitCode);

private:
    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

}  // namespace tellurane::support
