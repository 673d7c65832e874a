#pragma once
// A clock window, the first and every other: its whole face is a push button that shows the time. It
// composes its face from its store, wears its skin, lets the mouse through, answers the wheel and the
// face's menu, and keeps its place. The host that owns the clocks does what concerns them all.

#include <optional>
#include <string>

#include "app/alarms/alarm_bell.h"
#include "app/alarms/ring_face.h"
#include "app/clock/click_through.h"
#include "app/clock/own_face.h"
#include "app/clock/skinned_clock.h"
#include "app/settings_store.h"
#include "logic/clock/world_tip.h"
#include "logic/error_trap.h"
#include "logic/layouts.h"
#include "win32/form.h"

namespace tellurane {

class ClockWindow;

// What a clock asks of the host that owns every clock.
class ClockHost {
public:
    virtual void ShowMenuFor(ClockWindow& clock, LPARAM where) = 0;
    virtual void OpenSettingsFor(ClockWindow& clock) = 0;
    // False when there is no tray icon to hide in: the clock then minimises as any window does.
    virtual bool HideAllInTray() = 0;
    virtual void ClockClosed(ClockWindow& clock) = 0;
    virtual void CountdownReached(const std::wstring& label) = 0;
    // The answer to the alarm its face shows: Dismiss, or Snooze.
    virtual void AlarmAnswered(ClockWindow& clock, bool snooze) = 0;
    // A face is read, or a clock shown, while the clocks do not tick: every face is made now.
    virtual void FaceAsked() = 0;

protected:
    ~ClockHost() = default;
};

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

// Where a clock's window is, as stored: each value with the window's own reader and setter, in the order
// the first clock saves them.
struct PlaceValue {
    const Setting* key;
    double (Form::*get)() const noexcept;
    void (Form::*set)(double twips) noexcept;
};
inline constexpr PlaceValue kPlace[] = {{&keys::kForm1Top, &Form::Top, &Form::SetTop},
                                        {&keys::kForm1Left, &Form::Left, &Form::SetLeft},
                                        {&keys::kForm1Height, &Form::Height, &Form::SetHeight},
                                        {&keys::kForm1Width, &Form::Width, &Form::SetWidth}};

class ClockWindow : public Form, public AlarmClock {
public:
    // The first clock: the settings key itself.
    ClockWindow(const WindowLayout& layout, const SettingsStore& store, ClockHost& host, ErrorTrap::Reporter report);
    // Another clock: N of Clocks\N; main is the first clock's store, whose watch tells of every change.
    ClockWindow(int number, const SettingsStore& main, ClockHost& host, ErrorTrap::Reporter report);

    // Opens a clock after the first, in its stored place and look.
    bool Open();
    // Shows the time at that moment (the first clock reads its own).
    virtual void Tick(const ClockReading& now);
    // A click on the face, or Settings in its menu.
    virtual void OpenSettings() { host_.OpenSettingsFor(*this); }
    // Writes one value of kPlace from the window's normal-state place.
    bool SavePlaceValue(const PlaceValue& value) { return store_.Write(*value.key, (this->*value.get)()); }
    void SavePlace();
    // The skin the clock's store names, applied when the name changes (by the menu or by hand).
    void FollowChosenSkin() noexcept;
    // Again after a switch of Windows' light and dark modes.
    void ReapplySkin() noexcept { skin_.Reapply(); }
    void ForgetZoneRules() noexcept { face_.ForgetRules(); }
    // Whether its face changes every second (else every minute), the moment ahead that its countdown
    // reaches 0, and whether it can be seen: shown, not hidden in the tray nor minimised.
    virtual bool ShowsSeconds() const { return face_.ShowsSeconds(); }
    std::optional<std::int64_t> NextMoment() const noexcept { return face_.NextMoment(); }
    bool CanBeSeen() const noexcept { return Handle() && IsWindowVisible(Handle()) && !IsIconic(Handle()); }
    void TakeTheMouse() noexcept { clickThrough_.TakeTheMouse(); }
    void FollowClickThrough() noexcept;

    // Its line in the tray icon's tip at that moment: its name, its time, and its day against here.
    TipClock Glance(std::int64_t utcMilliseconds, const LocalTime& here);
    // A bad stored value of this clock's, said once per value and not once a second.
    void Report(const std::wstring& description) override;
    // The face shows an alarm's text and its choices (Dismiss, and Snooze when it can) until EndAlarm.
    void ShowAlarm(const std::wstring& text, bool canSnooze) override { ring_.Show(text, canSnooze); }
    void EndAlarm() override { ring_.End(); }
    // The keyboard's place once the clock is brought to the front: a ringing alarm's Dismiss, so that
    // Enter answers it, else the window itself.
    void FocusForKeys() { ring_.FocusForKeys(); }
    bool ShowingAlarm() const noexcept { return ring_.Showing(); }

    // 0: the first clock; else N of Clocks\N, which outlives any window handle.
    int Number() const noexcept override { return number_; }
    // Closed or removed: the host destroys it, outside its own messages.
    void MarkClosed() noexcept { closed_ = true; }
    bool Closed() const noexcept { return closed_; }
    std::wstring Label() const { return store_.CachedText(keys::kLabel); }
    // Its label, or what names it without one (the program's name for the first, "Clock N").
    std::wstring Name() const override;
    const SettingsStore& Store() const noexcept override { return store_; }
    PushButton& Face() { return Button(form1::kPushButton1); }
    SkinFramework& Skin() noexcept { return skin_; }
    // The text colour the skin gives while the user has chosen none.
    std::optional<COLORREF> SkinTextColor() const noexcept { return skinned_.TextColor(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnClose() noexcept override;
    void OnResized() noexcept override;
    void OnCommand(int id, int code) noexcept override;

    // Creates the window with what every clock has: snapping, the face's menu from the keyboard, the
    // face's click and its description for screen readers, the skin's look.
    bool CreateClock(std::wstring_view caption);
    // The face fills the client area less the layout's margins.
    void FitFace();
    // Its zone, label, pictures and countdown as stored, the switches as switchOn reads them: the text it
    // shows, a countdown's end told to the host, a bad value said once (Say).
    using SwitchReader = std::function<bool(const Setting& key)>;
    std::wstring ComposeFace(const ClockReading& now, const SwitchReader& switchOn);
    virtual void Say(const std::wstring& description);
    // The first clock's own skin came with its loading: an empty name needs nothing more at first.
    virtual bool SkinLoadedWithWindow() const noexcept { return false; }
    // The store names another skin (empty: the program folder's), before it is applied.
    virtual void SkinChosen(const std::wstring& name) noexcept { (void)name; }
    virtual void SkinRefused(const std::wstring& description) { Report(description); }
    ClockHost& Host() noexcept { return host_; }
    // The face's tip: what a click does, and how far the clock's zone is from here.
    void CreateFaceTooltip() noexcept;
    std::wstring FaceTip();
    bool AnswerTooltip(LPARAM lParam) noexcept;
    // While an alarm shows, the face shows it instead of the time: true when it did.
    bool ShowAlarmCaption() { return ring_.ShowCaption(); }

private:
    bool Switch(const Setting& key);
    void ApplyLook();
    std::wstring WindowCaption() const;
    bool ResizeTextByWheel(WPARAM wParam, LPARAM lParam);

    int number_;
    std::optional<SettingsStore> own_;  // a clock after the first keeps its own store
    const SettingsStore& store_;
    ClockHost& host_;
    ErrorTrap::Reporter report_;
    OwnFace face_;
    SkinFramework skin_;
    SkinnedClock skinned_{*this, form1::kPushButton1, store_};
    std::optional<std::wstring> chosenSkin_;  // the store's skin name last applied
    ClickThrough clickThrough_{*this};
    std::wstring reported_;  // the last bad value said
    std::wstring windowCaption_;
    int wheelTurned_ = 0;  // of a notch, on a wheel that turns in finer steps
    bool closed_ = false;
    // Owned by the clock window, so Windows destroys it with that window; a second owner here would
    // destroy a handle that may by then name another window.
    HWND tooltip_ = nullptr;
    std::wstring tipText_;  // the face's tip while it shows
    RingFace ring_{*this, form1::kPushButton1, [this] { FitFace(); }, [this] { host_.FaceAsked(); }};
};

}  // namespace tellurane
