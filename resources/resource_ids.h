#pragma once
// Shared by the resource script and the code: plain macros, so windres can read them.
#define TELLURANE_PROGRAM_ICON 1
// The tray control's stored default picture: one 16x16 24-bit image.
#define TELLURANE_TRAY_ICON 2
// What the tray shows: 32-bit images at every size the shell may ask for.
#define TELLURANE_SHARP_TRAY_ICON 3
