// A clock's face while an alarm of its rings: the alarm's text instead of the time, and beside it the
// choices, real buttons that the keyboard, a screen reader and a contrast theme all know. Enter
// dismisses (Dismiss is the default button and takes the focus), S snoozes (its access key).

#include <algorithm>
#include <utility>

#include "app/clock/clock_window.h"
#include "logic/texts.h"
#include "logic/twips.h"
#include "win32/modal.h"

namespace tellurane {

void ClockWindow::ShowAlarm(const std::wstring& text, bool canSnooze) {
    DropAlarmChoices();
    alarmText_ = text;
    // Answered whatever window is open over the program (the settings, Clock options, the alarms).
    DisabledWindows::KeepAnswerable(Handle(), true);
    auto make = [&](UINT textId, int id, DWORD style) {
        const std::wstring caption = Tr(textId);
        HWND button = CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0,
                                      0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleW(nullptr), nullptr);
        return UniqueWindow(button);
    };
    dismiss_ = make(IDS_ALARM_DISMISS, kAlarmDismiss, BS_DEFPUSHBUTTON);
    if (canSnooze) snooze_ = make(IDS_ALARM_SNOOZE, kAlarmSnooze, BS_PUSHBUTTON);
    PlaceAlarmChoices();
    Face().SetCaption(text);
    // The keys reach the choices once the window is active; a clock does not take the activation.
    if (GetForegroundWindow() == Handle() && dismiss_) SetFocus(dismiss_.get());
    // Said by a screen reader even while the clock is not the window in use.
    NotifyWinEvent(EVENT_SYSTEM_ALERT, Face().Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void ClockWindow::EndAlarm() {
    if (!alarmText_) return;
    const bool hadFocus = GetFocus() == dismiss_.get() || (snooze_ && GetFocus() == snooze_.get());
    DropAlarmChoices();
    FitFace();
    if (hadFocus) SetFocus(Face().Handle());
    // Under a modal window, like every other clock again.
    DisabledWindows::KeepAnswerable(Handle(), false);
    host_.FaceAsked();
}

void ClockWindow::DropAlarmChoices() {
    alarmText_.reset();
    dismiss_.reset();
    snooze_.reset();
    alarmFont_.reset();
    alarmFontDpi_ = 0;
    alarmRoom_ = 0;
}

// Under a modal window a ringing clock takes its choices' clicks and keys, and nothing else: no menu, no
// window menu or Alt+F4, no size by the wheel, whose changes the modal window does not expect.
bool ClockWindow::OnlyAnswersNow(UINT message) const noexcept {
    if (!DisabledWindows::AnyOpen()) return false;
    return message == WM_CONTEXTMENU || message == WM_SYSCOMMAND || message == WM_MOUSEWHEEL;
}

void ClockWindow::FocusForKeys() { SetFocus(dismiss_ ? dismiss_.get() : Handle()); }

bool ClockWindow::ShowAlarmCaption() {
    if (!alarmText_) return false;
    Face().SetCaption(*alarmText_);
    return true;
}

// The choices side by side at the right, as tall as a button of the layout's font, the face narrower.
void ClockWindow::PlaceAlarmChoices() {
    if (!dismiss_) return;
    if (alarmFontDpi_ != Dpi()) {
        // The layout's font at the window's DPI, also after a move to a monitor of another scale;
        // the buttons take the new one before the old goes.
        UniqueFont font = CreateLayoutFont(Layout().font, Dpi());
        for (HWND button : {snooze_.get(), dismiss_.get()}) {
            if (button) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        }
        alarmFont_ = std::move(font);
        alarmFontDpi_ = Dpi();
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    HDC dc = GetDC(Handle());
    const HGDIOBJ old = SelectObject(dc, alarmFont_.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    auto widthOf = [&](HWND button) {
        wchar_t text[128] = {};
        const int length = GetWindowTextW(button, text, 128);
        SIZE size{};
        GetTextExtentPoint32W(dc, text, length, &size);
        return size.cx + MulDiv(24, Dpi(), 96);
    };
    const int gap = MulDiv(4, Dpi(), 96);
    const int height = std::min<int>(client.bottom - 2 * gap, metrics.tmHeight + MulDiv(12, Dpi(), 96));
    const int top = (client.bottom - height) / 2;
    int right = client.right - gap;
    for (HWND button : {snooze_.get(), dismiss_.get()}) {
        if (!button) continue;
        const int width = widthOf(button);
        right -= width;
        MoveWindow(button, right, top, width, height, TRUE);
        right -= gap;
    }
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    alarmRoom_ = client.right - right;
    FitFace();
}

}  // namespace tellurane
