// Starts a clock program, lets it settle, then measures one action: the CPU time the program and
// the wineserver spend on it, and, for "launch", how long until the face first shows the time.
//   action_cost <launch|close|minimise|idle> <program.exe> <window class> <wineserver pid> [seconds] [arguments]
// Prints one line of key=value figures. The window is found by its class among all the program's
// top-level windows, so a program showing several (other clocks) is measured as a whole all the same.

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/desktop.h"

using namespace std::chrono_literals;
namespace support = tellurane::support;

namespace {

// CPU seconds of a Linux process, read from /proc through Wine's Z: drive.
double LinuxCpu(const std::wstring& pid) {
    std::ifstream stat((L"Z:\\proc\\" + pid + L"\\stat").c_str());
    if (!stat) return -1;  // the process has gone
    std::string field;
    double ticks = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i) {
        if (i == 14 || i == 15) ticks += std::stod(field);
    }
    return ticks / 100.0;  // USER_HZ
}

// The Linux process that runs a Windows program, found by its command line in /proc; 0 when none.
std::wstring LinuxPidOf(const std::wstring& programPath) {
    const std::wstring name = programPath.substr(programPath.find_last_of(L"\\/") + 1);
    const std::string narrow(name.begin(), name.end());
    std::wstring found = L"0";
    long newest = 0;
    const char* winePrefix = std::getenv("WINEPREFIX");
    const std::string prefix = std::string("WINEPREFIX=") + (winePrefix ? winePrefix : "") + '\0';
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        const long pid = std::wcstol(entry.cFileName, nullptr, 10);
        if (pid <= newest) continue;
        std::ifstream commandLine((L"Z:\\proc\\" + std::wstring(entry.cFileName) + L"\\cmdline").c_str(),
                                  std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(commandLine)), std::istreambuf_iterator<char>());
        std::ifstream environment((L"Z:\\proc\\" + std::wstring(entry.cFileName) + L"\\environ").c_str(),
                                  std::ios::binary);
        const std::string variables((std::istreambuf_iterator<char>(environment)), std::istreambuf_iterator<char>());
        // Of this Wine session only: another session may run the same program.
        if (text.find(narrow) != std::string::npos && text.find("action_cost") == std::string::npos &&
            variables.find(prefix) != std::string::npos) {
            newest = pid;
            found = entry.cFileName;
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HWND FaceOf(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (support::ClassOf(child) == L"Button") return child;
    }
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fwprintf(stderr,
                      L"usage: action_cost launch|close|minimise|idle program.exe class wineserver-pid [seconds] "
                      L"[arguments]\n");
        return 2;
    }
    const std::wstring action = argv[1], server = argv[4];
    const int seconds = argc > 5 ? _wtoi(argv[5]) : 60;
    support::BecomePerMonitorDpiAware();

    LARGE_INTEGER started, shown;
    QueryPerformanceCounter(&started);
    support::LaunchedProgram program(argv[2], argc > 6 ? argv[6] : L"");
    HWND window = support::FindTopLevel(program.ProcessId(), argv[3], 15s);
    HWND face = window ? FaceOf(window) : nullptr;
    if (!face || !support::WaitUntil([&] { return support::WindowText(face).size() >= 8; }, 5s, false)) {
        std::fwprintf(stderr, L"no clock face showed the time\n");
        return 1;
    }
    QueryPerformanceCounter(&shown);
    if (action == L"launch") {
        std::wprintf(L"first_time_text_ms=%.0f\n", Seconds(started, shown) * 1000);
        return 0;
    }
    // Under Wine a repaint beneath the mouse pointer costs far more than the repaint itself, for any
    // program: the pointer is kept off the clocks, as it mostly is for a desktop clock.
    SetCursorPos(1, 1);
    Sleep(1000);  // settled: start-up is not counted

    // Wine reports no CPU times for other processes: read the program's own from /proc.
    const std::wstring programPid = LinuxPidOf(argv[2]);
    auto ProgramCpu = [&] { return LinuxCpu(programPid); };
    auto Both = [&] { return ProgramCpu() + LinuxCpu(server); };
    // What the running clock costs anyway, per second: taken off an action's figure as its "net".
    const double idleBefore = Both();
    Sleep(4000);
    const double idleRate = (Both() - idleBefore) / 4.0;

    LARGE_INTEGER actionFrom;
    QueryPerformanceCounter(&actionFrom);
    auto Net = [&](double total) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const double net = total - idleRate * Seconds(actionFrom, now);
        return net > 0 ? net : 0.0;
    };
    const double programBefore = ProgramCpu();
    const double serverBefore = LinuxCpu(server);
    if (action == L"idle") {
        Sleep(static_cast<DWORD>(seconds) * 1000);
        PROCESS_MEMORY_COUNTERS memory{sizeof memory};
        GetProcessMemoryInfo(program.Process(), &memory, sizeof memory);
        // The clocks that were shown all along: each a visible window with a face.
        int clocks = 0;
        for (HWND other : support::TopLevelWindowsOf(program.ProcessId())) {
            if (IsWindowVisible(other) && FaceOf(other)) ++clocks;
        }
        std::wprintf(L"program_cpu=%.3f wineserver_cpu=%.3f working_set_mb=%.1f clock_windows=%d\n",
                     ProgramCpu() - programBefore, LinuxCpu(server) - serverBefore,
                     static_cast<double>(memory.WorkingSetSize) / 1048576.0, clocks);
        return 0;
    }
    if (action == L"close") {
        // Its last reading before it goes: /proc forgets a process once it has ended.
        PostMessageW(window, WM_CLOSE, 0, 0);
        double last = programBefore;
        DWORD code = 0;
        while (!program.WaitForExit(5ms, code)) {
            const double now = ProgramCpu();
            if (now >= 0) last = now;
        }
        const double program_ = last - programBefore, server_ = LinuxCpu(server) - serverBefore;
        std::wprintf(L"program_cpu=%.3f wineserver_cpu=%.3f net_cpu=%.3f\n", program_, server_,
                     Net(program_ + server_));
        return 0;
    } else {  // minimise: hidden into the tray with the first balloon, which waits up to its five seconds
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        support::WaitUntil([&] { return !IsWindowVisible(window); }, 5s);
        Sleep(6000);
    }
    const double program_ = ProgramCpu() - programBefore, server_ = LinuxCpu(server) - serverBefore;
    std::wprintf(L"program_cpu=%.3f wineserver_cpu=%.3f net_cpu=%.3f\n", program_, server_, Net(program_ + server_));
    return 0;
}
