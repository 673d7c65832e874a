#pragma once
// The clock window: its whole face is a push button that shows the time.

#include <cstdint>
#include <optional>

#include "clock/system_clock.h"
#include "core/error_trap.h"
#include "core/form.h"
#include "core/main_module.h"
#include "core/settings_store.h"
#include "core/skin.h"
#include "core/timer.h"

namespace tellurane {

class Form1 : public Form {
public:
    explicit Form1(const SettingsStore& store, ErrorTrap::Reporter report = &ShowApplicationError,
                   ClockFunction clock = &ReadSystemClock);

    // Creates the window, runs its load handler and shows it.
    bool Load();

    PushButton& PushButton1() { return Button(form1::kPushButton1); }
    HWND Text1() const noexcept { return Control(form1::kText1); }
    Timer& Timer1() noexcept { return timer1_; }
    SkinFramework& SkinFramework1() noexcept { return skinFramework1_; }

    // The clock tick: rebuilds the face from the stored display switches and the time.
    void Timer1_Timer();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    bool OnClose() noexcept override;

private:
    void Form_Load();
    void Form_QueryUnload();
    void Form_Unload();
    void Timer1_Fired();
    void ReportTickFailure(std::wstring_view description, std::wstring_view location, int line);

    const SettingsStore& store_;
    ErrorTrap::Reporter report_;
    ClockFunction clock_;
    Timer timer1_{1, form1::kTimer1IntervalMs};
    SkinFramework skinFramework1_;
    std::optional<std::uint64_t> shownSecond_;
    bool tickBoxOpen_ = false;
};

}  // namespace tellurane
