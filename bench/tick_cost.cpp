// Drives the clock tick 10,000 times in a real clock window and times it, next to the plain work of
// a bare clock (read the time, format it, set the button's text); and the working set before and after.

#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "app/clock/form1.h"

namespace {

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double WorkingSetMb() {
    PROCESS_MEMORY_COUNTERS memory{sizeof memory};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return static_cast<double>(memory.WorkingSetSize) / 1048576.0;
}

}  // namespace

int main() {
    constexpr int kTicks = 10000;
    tellurane::SettingsStore store(L"Marrowick", L"TelluraneBench");
    store.WriteSetting(L"Check4", L"1");  // the longest tick: the weekday too
    store.WatchChanges();                 // as the program runs
    tellurane::ClockServices services;
    services.shell = [](DWORD, NOTIFYICONDATAA*) { return TRUE; };
    // Each tick a new second, as the timer brings them: the digits change, and so does the face.
    tellurane::ClockReading reading = tellurane::ReadSystemClock();
    services.clock = [&reading] {
        reading.local.second = (reading.local.second + 1) % 60;
        return reading;
    };
    tellurane::Form1 clock(store, services);
    clock.Load();
    clock.Timer1().SetEnabled(false);

    clock.Timer1_Timer();
    HWND button = clock.PushButton1().Handle();
    const double before = WorkingSetMb();
    double start = Now();
    HWND face = clock.PushButton1().Handle();
    for (int i = 0; i < kTicks; ++i) {
        // As the timer runs it: the tick, then its one repaint.
        clock.Timer1_Timer();
        UpdateWindow(face);
    }
    const double tick = (Now() - start) / kTicks;
    const double after = WorkingSetMb();
    {
        // What one more tick asks to be drawn again, against the face the loop left.
        clock.Timer1_Timer();
        RECT band{}, whole{};
        GetUpdateRect(face, &band, FALSE);
        GetClientRect(face, &whole);
        std::printf("  redrawn_by_a_tick=%ldx%ld of %ldx%ld\n", band.right - band.left, band.bottom - band.top,
                    whole.right, whole.bottom);
        UpdateWindow(face);
    }

    start = Now();
    for (int i = 0; i < kTicks; ++i) {
        SYSTEMTIME time;
        GetLocalTime(&time);
        wchar_t text[64];
        swprintf(text, 64, L"%02d:%02d:%02d %02d/%02d/%04d", time.wHour, time.wMinute, i % 60, time.wMonth, time.wDay,
                 time.wYear);
        SetWindowTextW(button, text);
        UpdateWindow(button);
    }
    const double reference = (Now() - start) / kTicks;
    auto cpu = [] {
        FILETIME a, b, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &a, &b, &kernel, &user);
        auto s = [](const FILETIME& t) {
            return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
                   1e7;
        };
        return s(kernel) + s(user);
    };
    auto time = [&](const char* what, auto&& work) {
        const double begin = Now(), cpuBegin = cpu();
        for (int i = 0; i < 2000; ++i) work();
        std::printf("  %s_us=%.1f cpu_us=%.1f\n", what, (Now() - begin) / 2000 * 1e6, (cpu() - cpuBegin) / 2000 * 1e6);
    };
    time("paint", [&] { RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
    time("tick_no_paint", [&] {
        clock.Timer1_Timer();
        ValidateRect(button, nullptr);
    });
    time("locale_text", [] { tellurane::UserLocaleTexts(); });
    time("read_setting", [&] { store.ReadSetting(L"Check4", 0); });
    time("switch_on", [&] { tellurane::StoredSwitchIsOn(L"1"); });
    time("caption", [&] { clock.PushButton1().SetCaption(L"12:00:00"); });
    time("set_text_only", [&] { SetWindowTextW(button, L"12:00:01"); });
    time("weekday", [&] { tellurane::DayOfWeekName(tellurane::LocalTime{}); });
    // With a skin beside the program: what applying it costs (read, check, show), as when it is edited.
    if (clock.SkinFramework1().Loaded()) {
        const double begin = Now();
        for (int i = 0; i < 50; ++i) tellurane::ApplySkin(clock, clock.SkinFramework1());
        std::printf("  apply_skin_ms=%.2f\n", (Now() - begin) / 50 * 1e3);
    }
    std::printf("tick_us=%.1f reference_tick_us=%.1f ratio=%.2f working_set_before_mb=%.1f after_mb=%.1f\n", tick * 1e6,
                reference * 1e6, tick / reference, before, after);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowick\\TelluraneBench");
    return 0;
}
