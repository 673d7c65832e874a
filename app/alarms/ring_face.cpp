#include "app/alarms/ring_face.h"

#include <algorithm>
#include <utility>

#include "logic/texts.h"
#include "logic/twips.h"
#include "win32/language.h"
#include "win32/modal.h"

namespace tellurane {

RingFace::RingFace(Form& window, int faceId, std::function<void()> fit, std::function<void()> ended)
    : window_(window), faceId_(faceId), fit_(std::move(fit)), ended_(std::move(ended)) {}

void RingFace::Show(const std::wstring& text, bool canSnooze) {
    Drop();
    text_ = text;
    // Answered whatever window is open over the program (the settings, Clock options, the alarms).
    DisabledWindows::KeepAnswerable(window_.Handle(), true);
    auto make = [&](UINT textId, int id, DWORD style) {
        const std::wstring caption = Tr(textId);
        // The clock is not mirrored; its choices' words still read as the language does.
        HWND button = CreateWindowExW(RightToLeft() ? WS_EX_RTLREADING : 0, L"BUTTON", caption.c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 0, window_.Handle(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                      nullptr);
        return UniqueWindow(button);
    };
    dismiss_ = make(IDS_ALARM_DISMISS, kDismiss, BS_DEFPUSHBUTTON);
    if (canSnooze) snooze_ = make(IDS_ALARM_SNOOZE, kSnooze, BS_PUSHBUTTON);
    Place();
    // The alarm's words read as the language does (its time and punctuation on the side it puts them);
    // the time the face shows otherwise reads left to right.
    Face().SetCaptionReading(CaptionReading::Language);
    Face().SetCaption(text);
    // The keys reach the choices once the window is active; a clock does not take the activation.
    if (GetForegroundWindow() == window_.Handle() && dismiss_) SetFocus(dismiss_.get());
    // Said by a screen reader even while the clock is not the window in use.
    NotifyWinEvent(EVENT_SYSTEM_ALERT, Face().Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void RingFace::End() {
    if (!text_) return;
    const bool hadFocus = GetFocus() == dismiss_.get() || (snooze_ && GetFocus() == snooze_.get());
    Drop();
    Face().SetCaptionReading(CaptionReading::Face);
    fit_();
    if (hadFocus) SetFocus(Face().Handle());
    // Under a modal window, like every other clock again.
    DisabledWindows::KeepAnswerable(window_.Handle(), false);
    ended_();
}

void RingFace::Drop() {
    text_.reset();
    dismiss_.reset();
    snooze_.reset();
    font_.reset();
    fontDpi_ = 0;
    room_ = 0;
}

// Under a modal window a ringing clock takes its choices' clicks and keys, and nothing else: no menu, no
// window menu or Alt+F4, no size by the wheel, whose changes the modal window does not expect.
bool RingFace::OnlyAnswersNow(UINT message) noexcept {
    if (!DisabledWindows::AnyOpen()) return false;
    return message == WM_CONTEXTMENU || message == WM_SYSCOMMAND || message == WM_MOUSEWHEEL;
}

void RingFace::FocusForKeys() { SetFocus(dismiss_ ? dismiss_.get() : window_.Handle()); }

bool RingFace::ShowCaption() {
    if (!text_) return false;
    Face().SetCaption(*text_);
    return true;
}

// The choices side by side at the right, as tall as a button of the layout's font, the face narrower.
void RingFace::Place() {
    if (!dismiss_) return;
    if (fontDpi_ != window_.Dpi()) {
        // The layout's font at the window's DPI, also after a move to a monitor of another scale;
        // the buttons take the new one before the old goes.
        UniqueFont font = CreateLayoutFont(window_.Layout().font, window_.Dpi());
        for (HWND button : {snooze_.get(), dismiss_.get()}) {
            if (button) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        }
        font_ = std::move(font);
        fontDpi_ = window_.Dpi();
    }
    RECT client{};
    GetClientRect(window_.Handle(), &client);
    HDC dc = GetDC(window_.Handle());
    const HGDIOBJ old = SelectObject(dc, font_.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    auto widthOf = [&](HWND button) {
        wchar_t text[128] = {};
        const int length = GetWindowTextW(button, text, 128);
        SIZE size{};
        GetTextExtentPoint32W(dc, text, length, &size);
        return size.cx + MulDiv(24, window_.Dpi(), 96);
    };
    const int gap = MulDiv(4, window_.Dpi(), 96);
    const int height = std::min<int>(client.bottom - 2 * gap, metrics.tmHeight + MulDiv(12, window_.Dpi(), 96));
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
    ReleaseDC(window_.Handle(), dc);
    room_ = client.right - right;
    fit_();
}

std::optional<bool> RingFace::Answer(int id, int code) noexcept {
    if ((id != kDismiss && id != kSnooze) || code != BN_CLICKED) return std::nullopt;
    return id == kSnooze;
}

}  // namespace tellurane
