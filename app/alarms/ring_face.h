#pragma once
// A clock's face while an alarm of its rings: the alarm's text instead of the time, and beside it the
// choices, real buttons that the keyboard, a screen reader and a contrast theme all know. Enter
// dismisses (Dismiss is the default button and takes the focus), S snoozes (its access key).

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "win32/form.h"
#include "win32/handles.h"

namespace tellurane {

class RingFace {
public:
    // The clock's window and its face (the push button of that id); fit sizes the face again, less
    // Room(); ended: the face shows the time again.
    RingFace(Form& window, int faceId, std::function<void()> fit, std::function<void()> ended);

    // The face shows an alarm's text and its choices (Dismiss, and Snooze when it can) until End.
    void Show(const std::wstring& text, bool canSnooze);
    void End();
    bool Showing() const noexcept { return text_.has_value(); }
    bool HasChoices() const noexcept { return static_cast<bool>(dismiss_); }
    // While an alarm shows, the face shows it instead of the time: true when it did.
    bool ShowCaption();
    // The choices side by side at the right of the window, after a change of its size or DPI.
    void Place();
    // The keyboard's place once the clock is brought to the front: Dismiss, so that Enter answers it,
    // else the window itself.
    void FocusForKeys();
    // Under a modal window a ringing clock takes its choices' clicks and keys, and nothing else.
    static bool OnlyAnswersNow(UINT message) noexcept;
    // Pixels the choices take from the face, at the right.
    int Room() const noexcept { return room_; }
    // A click on a choice: true for Snooze, false for Dismiss; nothing for any other command.
    static std::optional<bool> Answer(int id, int code) noexcept;

private:
    void Drop();
    PushButton& Face() { return window_.Button(faceId_); }
    static constexpr int kDismiss = 0x7701, kSnooze = 0x7702;

    Form& window_;
    int faceId_;
    std::function<void()> fit_, ended_;
    std::optional<std::wstring> text_;  // while an alarm shows
    UniqueFont font_;
    int fontDpi_ = 0;                // the DPI font_ was made for
    UniqueWindow dismiss_, snooze_;  // after the font: the buttons go first
    int room_ = 0;
};

}  // namespace tellurane
