// Drives the clock tick 10,000 times in a real clock window and times it, next to the plain work of
// a bare clock (read the time, format it, set the button's text); and the working set before and after.
//   tick_cost            one clock, with the parts of a tick timed on their own
//   tick_cost <clocks>   that many clocks (the first and stored ones after it), each tick as the timer brings it

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string_view>
#include <vector>

#include "app/clock/form1.h"
#include "clock_places.h"

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

// A plain function: on 32-bit a lambda is no WNDENUMPROC.
BOOL CALLBACK AddExtraFace(HWND window, LPARAM faces) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring_view(name) != L"Tellurane.Clock" || !IsWindowVisible(window)) return TRUE;
    if (HWND face = FindWindowExW(window, nullptr, L"Button", nullptr)) {
        reinterpret_cast<std::vector<HWND>*>(faces)->push_back(face);
    }
    return TRUE;
}

// Each in a zone of its own, so that none shares another's rules.
constexpr const wchar_t* kZones[][2] = {
    {L"Tokyo Standard Time", L"Tokyo"},
    {L"UTC", L"UTC"},
    {L"", L"Here"},
    {L"Pacific Standard Time", L"Los Angeles"},
    {L"GMT Standard Time", L"London"},
    {L"W. Europe Standard Time", L"Berlin"},
    {L"India Standard Time", L"Delhi"},
    {L"AUS Eastern Standard Time", L"Sydney"},
    {L"Eastern Standard Time", L"New York"},
    {L"China Standard Time", L"Shanghai"},
    {L"Russian Standard Time", L"Moscow"},
    {L"E. South America Standard Time", L"Sao Paulo"},
    {L"South Africa Standard Time", L"Johannesburg"},
    {L"New Zealand Standard Time", L"Auckland"},
    {L"Nepal Standard Time", L"Kathmandu"},
};

// The stored clocks after the first, each in a zone of its own and at a place of its own, all showing the
// weekday as the first does. What an ended run left goes first.
void StoreClocks(const tellurane::SettingsStore& store, int count) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowick\\TelluraneBench");
    store.WriteSetting(L"Check4", L"1");
    for (int n = 1; n < count; ++n) {
        const tellurane::SettingsStore clock = tellurane::ClockStore(store, n);
        const auto* zone = kZones[(n - 1) % std::size(kZones)];
        const POINT place = tellurane::bench::ExtraClockPlace(n - 1);
        clock.WriteSetting(L"TimeZone", zone[0]);
        clock.WriteSetting(L"Label", zone[1]);
        clock.WriteSetting(L"Check4", L"1");
        clock.WriteSetting(L"Open", L"1");
        clock.WriteSetting(L"Form1Top", std::to_wstring(place.y * 15));
        clock.WriteSetting(L"Form1Left", std::to_wstring(place.x * 15));
        clock.WriteSetting(L"Form1Height", L"855");
        clock.WriteSetting(L"Form1Width", L"6915");
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A bare clock's work for each face: read the time, format it, set the text, paint.
void ReferenceTick(const std::vector<HWND>& faces, int& second) {
    SYSTEMTIME time;
    GetLocalTime(&time);
    wchar_t text[64];
    second = (second + 1) % 60;
    swprintf(text, 64, L"%02d:%02d:%02d %02d/%02d/%04d", time.wHour, time.wMinute, second, time.wMonth, time.wDay,
             time.wYear);
    for (HWND face : faces) {
        SetWindowTextW(face, text);
        UpdateWindow(face);
    }
}

// count clocks ticking from the first one's timer: what one wake of the program costs with all of them,
// next to count times a bare clock's work.
int TimeClocks(int count) {
    tellurane::SettingsStore store(L"Marrowick", L"TelluraneBench");
    StoreClocks(store, count);
    store.WatchChanges();
    tellurane::ClockServices services;
    services.shell = [](DWORD, NOTIFYICONDATAW*) { return TRUE; };
    // One reading a tick, a second after the last, as the timer brings them; every call within a tick agrees.
    tellurane::ClockReading reading = tellurane::ReadSystemClock();
    services.clock = [&reading] { return reading; };
    tellurane::Form1 clock(store, services);
    clock.Load();
    // The faces the loop would paint after the tick: the first's is painted within it.
    std::vector<HWND> faces{clock.PushButton1().Handle()};
    EnumThreadWindows(GetCurrentThreadId(), AddExtraFace, reinterpret_cast<LPARAM>(&faces));
    auto tick = [&] {
        reading.local.second = (reading.local.second + 1) % 60;
        reading.utcMilliseconds += 1000;
        // The timer's own message: the first clock's tick, then the others' in the same wake.
        SendMessageW(clock.Handle(), WM_TIMER, clock.Timer1().Id(), 0);
        for (HWND face : faces) UpdateWindow(face);
    };
    int second = 0;
    auto referenceTick = [&] { ReferenceTick(faces, second); };
    // Rounds of each in turn, and the median round of each: a slow moment of a shared machine (or of its
    // X server) then hits both, and is left out.
    constexpr int kRounds = 21;
    const int ticksPerRound = count > 4 ? 60 : 200;
    auto timeRound = [&](auto&& work) {
        const double begin = Now();
        for (int i = 0; i < ticksPerRound; ++i) work();
        return (Now() - begin) / ticksPerRound;
    };
    tick();
    referenceTick();
    const double before = WorkingSetMb();
    std::vector<double> ours, bare;
    for (int round = 0; round < kRounds; ++round) {
        ours.push_back(timeRound(tick));
        bare.push_back(timeRound(referenceTick));
    }
    const double after = WorkingSetMb();
    const double tickTime = Median(ours), reference = Median(bare);
    std::printf(
        "clocks=%d opened=%d tick_us=%.1f reference_tick_us=%.1f ratio=%.2f working_set_before_mb=%.1f "
        "after_mb=%.1f\n",
        count, static_cast<int>(faces.size()), tickTime * 1e6, reference * 1e6, tickTime / reference, before, after);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowick\\TelluraneBench");
    return 0;
}

// What one more tick draws again, against the face the loop left.
void PrintRedrawnBand(tellurane::Form1& clock, HWND face) {
    clock.Timer1_Timer();
    const RECT band = clock.PushButton1().LastBand().value_or(RECT{});
    RECT whole{};
    GetClientRect(face, &whole);
    std::printf("  redrawn_by_a_tick=%ldx%ld of %ldx%ld\n", band.right - band.left, band.bottom - band.top, whole.right,
                whole.bottom);
    UpdateWindow(face);
}

// A bare clock's ticks on the same button, each a new second; the time of one.
double TimeReferenceTicks(HWND button, int ticks) {
    const double start = Now();
    for (int i = 0; i < ticks; ++i) {
        SYSTEMTIME time;
        GetLocalTime(&time);
        wchar_t text[64];
        swprintf(text, 64, L"%02d:%02d:%02d %02d/%02d/%04d", time.wHour, time.wMinute, i % 60, time.wMonth, time.wDay,
                 time.wYear);
        SetWindowTextW(button, text);
        UpdateWindow(button);
    }
    return (Now() - start) / ticks;
}

double ProcessCpu() {
    FILETIME a, b, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &a, &b, &kernel, &user);
    auto s = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return s(kernel) + s(user);
}

// The parts of a tick, each timed on its own, in wall and CPU time.
void TimeTheParts(tellurane::Form1& clock, const tellurane::SettingsStore& store, HWND button) {
    auto time = [&](const char* what, auto&& work) {
        const double begin = Now(), cpuBegin = ProcessCpu();
        for (int i = 0; i < 2000; ++i) work();
        std::printf("  %s_us=%.1f cpu_us=%.1f\n", what, (Now() - begin) / 2000 * 1e6,
                    (ProcessCpu() - cpuBegin) / 2000 * 1e6);
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
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) return TimeClocks(std::atoi(argv[1]));
    constexpr int kTicks = 10000;
    tellurane::SettingsStore store(L"Marrowick", L"TelluraneBench");
    store.WriteSetting(L"Check4", L"1");  // the longest tick: the weekday too
    store.WatchChanges();                 // as the program runs
    tellurane::ClockServices services;
    services.shell = [](DWORD, NOTIFYICONDATAW*) { return TRUE; };
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
    HWND face = clock.PushButton1().Handle();
    const double before = WorkingSetMb();
    const double start = Now();
    for (int i = 0; i < kTicks; ++i) {
        // As the timer runs it: the tick, then its one repaint.
        clock.Timer1_Timer();
        UpdateWindow(face);
    }
    const double tick = (Now() - start) / kTicks;
    const double after = WorkingSetMb();
    PrintRedrawnBand(clock, face);
    const double reference = TimeReferenceTicks(face, kTicks);
    TimeTheParts(clock, store, face);
    std::printf("tick_us=%.1f reference_tick_us=%.1f ratio=%.2f working_set_before_mb=%.1f after_mb=%.1f\n", tick * 1e6,
                reference * 1e6, tick / reference, before, after);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowick\\TelluraneBench");
    return 0;
}
