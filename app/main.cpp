// Tellurane: a desktop clock. The program is its clock window; closing it ends the program.

#include <windows.h>
#include <commctrl.h>

#include "app/clock/form1.h"
#include "app/language.h"
#include "win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // First of all: DLLs come from System32 only, so a copy run from a Downloads folder cannot be
    // made to load one planted beside it.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    // A copy with its settings file beside it keeps everything there, and nothing in the registry.
    tellurane::SettingsStore store(tellurane::SettingsFile::BesideProgram());
    // Before any window: every text, and whether windows read right to left, follow it.
    tellurane::UseProgramLanguage(store.Read(tellurane::keys::kLanguage));
    tellurane::Form1 form1(store);
    store.WatchChanges([&form1] { form1.SettingsChanged(); });
    if (!form1.Load()) return 1;
    return tellurane::RunMessageLoop();
}
