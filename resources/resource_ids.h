#pragma once
// Shared by the resource script and the code: plain macros, so windres can read them.
#define TELLURANE_PROGRAM_ICON 1
#define TELLURANE_TRAY_ICON 2
