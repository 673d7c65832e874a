#pragma once
// A clock after the first: its own window, time zone, label, pictures, countdown, look and place, kept
// in the settings key's Clocks\N. It ticks when the first clock ticks (one wake-up for all), and hides
// into the tray and comes back with it.

#include <optional>
#include <string>

#include "app/clock/click_through.h"
#include "app/clock/own_face.h"
#include "app/clock/skinned_clock.h"
#include "app/clock/system_clock.h"
#include "app/settings_store.h"
#include "logic/error_trap.h"
#include "logic/layouts.h"
#include "win32/form.h"

namespace tellurane {

class ExtraClock;

// What the first clock does for the others.
class ClockHost {
public:
    virtual void ShowMenuFor(ExtraClock& clock, LPARAM where) = 0;
    virtual void OpenSettingsFor(ExtraClock& clock) = 0;
    // False when there is no tray icon to hide in: the clock then minimises as any window does.
    virtual bool HideAllInTray() = 0;
    virtual void ClockClosed(ExtraClock& clock) = 0;
    virtual void CountdownReached(const std::wstring& label) = 0;
    virtual bool WheelResizesText(PushButton& face, const SettingsStore& store, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~ClockHost() = default;
};

inline constexpr wchar_t kClocksSubKey[] = L"Clocks";

namespace clock_keys {
inline constexpr std::wstring_view kTimeZone = L"TimeZone";
inline constexpr std::wstring_view kLabel = L"Label";
inline constexpr std::wstring_view kTimePicture = L"TimePicture";
inline constexpr std::wstring_view kDatePicture = L"DatePicture";
inline constexpr std::wstring_view kSkin = L"Skin";
inline constexpr std::wstring_view kCountdown = L"Countdown";
inline constexpr std::wstring_view kOpen = L"Open";
inline constexpr std::wstring_view kStepAside = L"StepAside";
inline constexpr std::wstring_view kClickThrough = L"ClickThrough";
}  // namespace clock_keys

// The store of Clocks\N below the first clock's.
inline SettingsStore ClockStore(const SettingsStore& main, int number) {
    return main.Below(std::wstring(kClocksSubKey) + L"\\" + std::to_wstring(number));
}

// Whether a WM_CONTEXTMENU to a clock window asks for its face's menu: from the face or the unseen text
// box that keeps the focus (by mouse or keyboard), or from the window itself by the keyboard; a right
// click on its frame keeps the window's own menu.
bool AsksForFaceMenu(Form& clock, WPARAM from, LPARAM where);
// Where that menu opens: at the pointer, or under the face's middle when asked for from the keyboard.
POINT FaceMenuPoint(HWND face, LPARAM where);

class ExtraClock : public Form {
public:
    // number: N of Clocks\N. main: the first clock's store, whose watch tells of every change.
    ExtraClock(int number, const SettingsStore& main, ClockHost& host, ErrorTrap::Reporter report);

    bool Open();
    void Tick(const ClockReading& now);
    void SavePlace();
    // The skin the clock's store names, applied when the name changes; again after a switch of
    // Windows' light and dark modes.
    void FollowChosenSkin() noexcept;
    void ReapplySkin() noexcept { skin_.Reapply(); }
    void ForgetZoneRules() noexcept { face_.ForgetRules(); }
    void TakeTheMouse() noexcept { clickThrough_.TakeTheMouse(); }

    int Number() const noexcept { return number_; }
    // Closed or removed: the first clock destroys it, outside its own messages.
    void MarkClosed() noexcept { closed_ = true; }
    bool Closed() const noexcept { return closed_; }
    std::wstring Label() const;
    const SettingsStore& Store() const noexcept { return store_; }
    PushButton& Face() { return Button(form1::kPushButton1); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnClose() noexcept override;
    void OnResized() noexcept override;
    void OnCommand(int id, int code) noexcept override;

private:
    std::wstring Value(std::wstring_view key) const;
    std::wstring WindowCaption() const;
    bool Switch(std::wstring_view key);
    void Report(const std::wstring& description);
    void ApplyLook();

    int number_;
    SettingsStore store_;
    ClockHost& host_;
    ErrorTrap::Reporter report_;
    OwnFace face_;
    SkinFramework skin_;
    SkinnedClock skinned_{*this, form1::kPushButton1, store_};
    std::optional<std::wstring> chosenSkin_;
    ClickThrough clickThrough_{*this};
    std::wstring reported_;  // the last bad value said, so that a box comes once per value
    std::wstring windowCaption_;
    bool closed_ = false;
};

}  // namespace tellurane
