#pragma once
// Out of the way by itself. A clock on top steps aside for a program in full screen on its monitor (a
// game, a film, a slide show): it leaves the topmost band for as long as that window fills the monitor
// and has the foreground; the stored "Always on top" is never changed.

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/settings_store.h"
#include "logic/full_screen.h"
#include "win32/foreground_watch.h"
#include "win32/form.h"

namespace tellurane {

using NotificationStateFunction = HRESULT(WINAPI*)(QUERY_USER_NOTIFICATION_STATE*);

// What stepping aside sees of a clock: its window, N of Clocks\N (0: the first), and its store.
struct AsideClock {
    Form& window;
    int number;
    const SettingsStore& store;
};

class SteppingAside {
public:
    // Every open clock, the first included.
    using ClockWalk = std::function<void(const std::function<void(const AsideClock&)>& work)>;
    // notificationState: SHQueryUserNotificationState, whether Windows says a full-screen program or a
    // presentation runs.
    SteppingAside(ClockWalk forEach, const NotificationStateFunction& notificationState)
        : forEach_(std::move(forEach)), notificationState_(notificationState) {}

    // In the tick's wake, while a clock can be seen.
    void LookAround() noexcept;
    // "Always on top" changed by hand (the menu, the settings).
    void OnTopChangedByHand(int number) noexcept;
    // The clock is gone.
    void Forget(int number) { std::erase(steppedAside_, number); }
    // Clocks (0: the first, else Clocks\N's N) out of the topmost band for a program in full screen.
    const std::vector<int>& SteppedAside() const noexcept { return steppedAside_; }

private:
    void WatchForegroundWhileWanted() noexcept;
    void FollowWindowsFullScreenState() noexcept;
    void LookAtForeground() noexcept;
    void FollowFullScreen() noexcept;
    void StepAside(const AsideClock& clock, bool aside);

    ClockWalk forEach_;
    const NotificationStateFunction& notificationState_;
    std::unique_ptr<ForegroundWatch> foregroundWatch_;
    std::vector<int> steppedAside_;              // the clocks (by number) behind a full-screen program
    std::pair<HWND, PixelRect> seenForeground_;  // the foreground window when last looked at
    WindowsSays windowsSay_ = WindowsSays::Nothing;
};

}  // namespace tellurane
