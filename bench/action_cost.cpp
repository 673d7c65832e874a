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
#include <utility>

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

// The program's and the wineserver's CPU time from the moment it is made, after a few quiet seconds
// that measure what the running clock costs anyway: taken off an action's figure as its "net".
class CpuMeter {
public:
    CpuMeter(std::wstring programPid, std::wstring server)
        : programPid_(std::move(programPid)), server_(std::move(server)) {
        const double idleBefore = Both();
        Sleep(4000);
        idleRate_ = (Both() - idleBefore) / 4.0;
        QueryPerformanceCounter(&from_);
        programBefore_ = ProgramCpu();
        serverBefore_ = LinuxCpu(server_);
    }

    // Wine reports no CPU times for other processes: the program's own come from /proc.
    double ProgramCpu() const { return LinuxCpu(programPid_); }
    double ProgramBefore() const { return programBefore_; }
    double ProgramSince() const { return ProgramCpu() - programBefore_; }
    double ServerSince() const { return LinuxCpu(server_) - serverBefore_; }

    // Prints the action's figures, the program's taken as given (it may have gone by now).
    void PrintAction(double program) const {
        const double server = ServerSince();
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const double net = program + server - idleRate_ * Seconds(from_, now);
        std::wprintf(L"program_cpu=%.3f wineserver_cpu=%.3f net_cpu=%.3f\n", program, server, net > 0 ? net : 0.0);
    }

private:
    double Both() const { return ProgramCpu() + LinuxCpu(server_); }

    std::wstring programPid_, server_;
    double idleRate_ = 0, programBefore_ = 0, serverBefore_ = 0;
    LARGE_INTEGER from_{};
};

// Idle for the seconds asked: CPU, working set, and the clocks that were shown all along (each a visible
// window with a face).
void MeasureIdle(const CpuMeter& meter, const support::LaunchedProgram& program, int seconds) {
    Sleep(static_cast<DWORD>(seconds) * 1000);
    PROCESS_MEMORY_COUNTERS memory{sizeof memory};
    GetProcessMemoryInfo(program.Process(), &memory, sizeof memory);
    int clocks = 0;
    for (HWND other : support::TopLevelWindowsOf(program.ProcessId())) {
        if (IsWindowVisible(other) && FaceOf(other)) ++clocks;
    }
    std::wprintf(L"program_cpu=%.3f wineserver_cpu=%.3f working_set_mb=%.1f clock_windows=%d\n", meter.ProgramSince(),
                 meter.ServerSince(), static_cast<double>(memory.WorkingSetSize) / 1048576.0, clocks);
}

// Closing: the program's last reading before it goes, as /proc forgets a process once it has ended.
void MeasureClose(const CpuMeter& meter, support::LaunchedProgram& program, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    double last = meter.ProgramBefore();
    DWORD code = 0;
    while (!program.WaitForExit(5ms, code)) {
        const double now = meter.ProgramCpu();
        if (now >= 0) last = now;
    }
    meter.PrintAction(last - meter.ProgramBefore());
}

// Minimising: hidden into the tray with the first balloon, which waits up to its five seconds.
void MeasureMinimise(const CpuMeter& meter, HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    support::WaitUntil([&] { return !IsWindowVisible(window); }, 5s);
    Sleep(6000);
    meter.PrintAction(meter.ProgramSince());
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

    const CpuMeter meter(LinuxPidOf(argv[2]), server);
    if (action == L"idle") {
        MeasureIdle(meter, program, seconds);
    } else if (action == L"close") {
        MeasureClose(meter, program, window);
    } else {
        MeasureMinimise(meter, window);
    }
    return 0;
}
