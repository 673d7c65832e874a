// Watches a running clock's face for a while, sampling it every 10 ms, and reports how soon after
// each wall-clock second began the face showed it, and any second skipped or shown twice.
//   tick_accuracy <program.exe> <window class> <seconds>
// The face must show 24-hour time first ("hh:mm:ss ..."); the program's store is set so.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "logic/setting_keys.h"
#include "tests/support/desktop.h"

using namespace std::chrono_literals;

namespace {

std::uint64_t NowMilliseconds() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return ((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000;
}

int SecondsOfDay(const std::wstring& face) {
    if (face.size() < 8) return -1;
    return std::stoi(face.substr(0, 2)) * 3600 + std::stoi(face.substr(3, 2)) * 60 + std::stoi(face.substr(6, 2));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fwprintf(stderr, L"usage: tick_accuracy program.exe windowclass seconds\n");
        return 2;
    }
    tellurane::support::BecomePerMonitorDpiAware();
    const tellurane::SettingsStore store;
    store.WriteSetting(tellurane::keys::kMilitaryTime, L"1");
    store.WriteSetting(tellurane::keys::kShowWeekday, L"0");
    tellurane::support::LaunchedProgram clock(argv[1]);
    HWND window = tellurane::support::FindTopLevel(clock.ProcessId(), argv[2], 15s);
    HWND face = window ? GetWindow(window, GW_CHILD) : nullptr;
    while (face && tellurane::support::ClassOf(face) != L"Button") face = GetWindow(face, GW_HWNDNEXT);
    if (!face) {
        std::fwprintf(stderr, L"no clock face found\n");
        return 1;
    }
    Sleep(2500);  // past the first ticks

    const int seconds = _wtoi(argv[3]);
    const std::uint64_t end = NowMilliseconds() + static_cast<std::uint64_t>(seconds) * 1000;
    int last = -1, observed = 0, skipped = 0, repeated = 0, late = 0;
    std::vector<int> delays;
    std::vector<int> shown;
    while (NowMilliseconds() < end) {
        const std::wstring text = tellurane::support::WindowText(face);
        const std::uint64_t now = NowMilliseconds();
        const int second = SecondsOfDay(text);
        if (second >= 0 && second != last) {
            if (last >= 0) {
                const int step = (second - last + 86400) % 86400;
                if (step == 0 || std::find(shown.begin(), shown.end(), second) != shown.end()) ++repeated;
                if (step > 1) skipped += step - 1;
                delays.push_back(static_cast<int>(now % 1000));
                if (delays.back() >= 500) ++late;  // the change came in the second half: a whole tick out
                ++observed;
            }
            shown.push_back(second);
            last = second;
        }
        Sleep(10);
    }
    std::sort(delays.begin(), delays.end());
    const int worst = delays.empty() ? -1 : delays.back();
    const int median = delays.empty() ? -1 : delays[delays.size() / 2];
    std::wprintf(L"seconds=%d skipped=%d repeated=%d worst_delay_ms=%d median_delay_ms=%d late=%d\n", observed, skipped,
                 repeated, worst, median, late);
    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD code = 0;
    clock.WaitForExit(5s, code);
    return 0;
}
