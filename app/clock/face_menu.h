#pragma once
// The face's menu, for any clock: a right click, the Menu key or Shift+F10. The host of the clocks says
// what it shows of them and does what is chosen.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/alarms/alarm_bell.h"
#include "app/clock/skinned_clock.h"
#include "win32/push_button.h"

namespace tellurane {

// The face's menu, by command id.
enum : UINT {
    kMenuSettings = 1,
    kMenuAlwaysOnTop,
    kMenuCopyTime,
    kMenuHideToTray,
    kMenuExit,
    kMenuNewClock,
    kMenuCloseClock,
    kMenuClockOptions,
    kMenuLanguageWindows,
    kMenuSkipAlarm,
    kMenuLanguage = 400,      // + the language's place in Languages()
    kMenuSkin = 500,          // + the skin's place in the Skin menu
    kMenuReopenClock = 1000,  // + the clock's number
};

// A clock that was closed, which the menu can open again.
struct ClosedClock {
    int number;
    std::wstring title;
};

// What the menu shows of the clock, of the others and of the program at that moment.
struct FaceMenuState {
    bool onTop = false;
    std::vector<ClosedClock> closed;
    std::optional<AlarmBell::NextAlarm> nextAlarm;
    std::vector<SkinChoice> skins;
    bool canHideInTray = false;
    bool closable = false;  // a clock after the first
};

// Opens the menu at that point over the clock's window and answers the command chosen (0: none); store
// is the clock's, whose skin it shows, main the first clock's, whose language it lists.
UINT ShowFaceMenu(HWND clock, POINT at, const SettingsStore& store, const FaceMenuState& state,
                  const SettingsStore& main);

// The choices the menu carries out by itself: a language (stored in main, for the windows that open
// next) and Copy time (the face's text). False for any other.
bool RunOwnChoice(UINT chosen, HWND clock, PushButton& face, const SettingsStore& main);

}  // namespace tellurane
