#include "clock/form1.h"

#include "core/app_title.h"
#include "core/error_report.h"
#include "core/main_module.h"

namespace tellurane {

Form1::Form1(const SettingsStore& store, ErrorTrap::Reporter report)
    : Form(Form1Layout()), store_(store), report_(std::move(report)) {
    timer1_.onTick = [this] { Timer1_Timer(); };
}

bool Form1::Load() {
    if (!Create()) return false;
    Form_Load();
    timer1_.Attach(Handle());
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
    return true;
}

void Form1::Form_Load() {
    ErrorTrap trap = Trap(location::kForm1Load);
    trap.Run(136, [this] {
        SetCaption(kProductName);
        SetIcons(ProgramIcon(false), ProgramIcon(true));
        SetApplicationTitle();
    });
}

void Form1::Timer1_Timer() {}

bool Form1::OnClose() noexcept {
    Form_QueryUnload();
    Form_Unload();
    return true;
}

void Form1::Form_QueryUnload() { timer1_.SetEnabled(false); }

void Form1::Form_Unload() {
    // Ends the program: every loop, nested ones included, stops at the quit message.
    DestroyWindow(Handle());
    PostQuitMessage(0);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_TIMER && wParam == timer1_.Id()) {
        timer1_.Tick();
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace tellurane
