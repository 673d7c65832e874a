#pragma once
// The clock window: its whole face is a push button that shows the time. It owns the program's
// life: closing it saves its place and ends the program.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/clock/clocks.h"
#include "app/clock/program_skin.h"
#include "win32/change_watch.h"
#include "win32/skin.h"

namespace tellurane {

// The first clock: the clock type with the program's life, the tray icon, and the error boxes of its
// handlers; it owns the host of the other clocks.
class Form1 : public ClockWindow, public FirstClock {
public:
    explicit Form1(const SettingsStore& store, ClockServices services = {});

    // Creates the window, runs its load handler and shows it.
    bool Load();
    // Before Load: where the session's lock and unlock are asked for.
    void SetSessionNotifications(SessionNotifications functions) {
        clocks_.Wake().SetSessionNotifications(std::move(functions));
    }
    // Windows has agreed to tell the clock when the session is locked or switched away.
    bool HearsSession() const noexcept { return clocks_.Wake().HearsSession(); }

    PushButton& PushButton1() { return Face(); }
    HWND Text1() const noexcept { return Control(form1::kText1); }
    Timer& Timer1() noexcept { return clocks_.Wake().Timer1(); }
    cSysTray& cSysTray1() noexcept { return cSysTray1_; }
    SkinFramework& SkinFramework1() noexcept { return Skin(); }
    bool MinimizedToTray() const noexcept { return minimizedToTray_; }
    bool OptionsOpen() const noexcept { return clocks_.OptionsOpen(); }
    bool Closing() const noexcept override { return closing_; }
    // A value changed in the store (by a window of the program, by hand): the faces follow at once.
    void SettingsChanged() noexcept { clocks_.Wake().SettingsChanged(); }
    // Timer wakes so far, and whether none is set now.
    std::uint64_t Wakes() const noexcept { return clocks_.Wake().Wakes(); }
    bool Asleep() const noexcept { return clocks_.Wake().Asleep(); }
    bool ShowsSeconds() const override { return !HasOwnFace() || ClockWindow::ShowsSeconds(); }
    const std::vector<int>& SteppedAside() const noexcept { return clocks_.SteppedAside(); }
    AlarmBell* Bell() noexcept { return clocks_.Bell(); }

    // The clock tick: rebuilds the face from the stored display switches and the time.
    void Timer1_Timer();
    // A click on the face: the settings, then "Always on top" applied again.
    void PushButton1_Click();
    void cSysTray1_MouseUp(std::int16_t button, std::int32_t id);

    void Tick(const ClockReading& now) override;
    void OpenSettings() override { PushButton1_Click(); }
    bool CanHideInTray() const noexcept override;
    bool HideAllInTray() override;
    void Announce(const std::wstring& text) override;
    void Notify(const std::wstring& title, const std::wstring& text) override;
    void TickFirst() override { Timer1_Timer(); }
    void WatchSkinFile() noexcept override { programSkin_.Watch(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnClose() noexcept override;
    void OnResized() noexcept override;
    void OnMouseMove() noexcept override;
    void Say(const std::wstring& description) override;
    bool SkinLoadedWithWindow() const noexcept override { return true; }
    void SkinChosen(const std::wstring& name) noexcept override { programSkin_.Chosen(name); }
    // Said once per name, as the skin file's own errors are.
    void SkinRefused(const std::wstring& description) override;

private:
    void Form_Load();
    void Form_QueryUnload();
    void Form_Unload();
    void Form_Resize();
    void ReportTickFailure(std::wstring_view description, std::wstring_view location, int line);
    std::wstring TickSetting(const Setting& key) const;
    // A zone, label, picture or countdown of its own: then the first clock shows what the others show.
    bool HasOwnFace() const;
    void MinimiseIntoTray();
    // After WM_DPICHANGED: the icons again, at the new DPI's sizes.
    void OnDpiApplied() noexcept;
    void ReloadTrayIcon() noexcept;
    // Every open clock in the tray icon's tip, as the pointer comes over it.
    void ShowWorldInTrayTip();

    ClockServices services_;
    Clocks clocks_{*this, *this, Store(), services_};
    cSysTray cSysTray1_;
    ProgramSkin programSkin_{*this, Skin()};
    bool tickBoxOpen_ = false;
    bool minimizedToTray_ = false;
    bool closing_ = false;
};

// What the clock window's stored data holds for its tray control.
PropertyBag Form1TrayProperties();

}  // namespace tellurane
