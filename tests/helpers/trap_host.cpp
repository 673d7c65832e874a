// A small program whose only handler fails one of its steps, so that a test can read the real
// error box as a user sees it. Exits with the number of the last step that ran.

#include <windows.h>

#include "app/main_module.h"
#include "app/settings_store.h"
#include "logic/error_report.h"
#include "logic/error_trap.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int lastStep = 0;
    tellurane::ErrorTrap trap(tellurane::location::kForm1Load, &tellurane::ShowApplicationError);
    trap.Run(100, [&] { lastStep = 100; });
    trap.Run(110, [&] {
        tellurane::StoredSingle(L"abc");
        lastStep = 110;
    });
    trap.Run(112, [&] { lastStep = 112; });
    return lastStep;
}
