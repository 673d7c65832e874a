// Measures what a one-second wait costs in CPU, in the program and in the wineserver, around the
// wait alone.
//   wait_cost wait  <wineserver pid>   the program's WaitSeconds(1)
//   wait_cost sleep <wineserver pid>   the floor: Sleep(1000) with the same window and timer
//   wait_cost spin  <wineserver pid>   a wait that handles messages in a loop without sleeping

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "app/main_module.h"
#include "win32/message_loop.h"

namespace {

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

// CPU seconds of a Linux process, read from /proc through Wine's Z: drive.
double LinuxCpu(const char* pid) {
    char path[64];
    std::snprintf(path, sizeof path, R"(Z:\proc\%s\stat)", pid);
    std::FILE* file = std::fopen(path, "r");
    if (!file) return 0;
    char line[1024] = {};
    std::fgets(line, sizeof line, file);
    std::fclose(file);
    // Fields 14 and 15 (user and system time) come after the command name in parentheses.
    const char* at = std::strrchr(line, ')');
    unsigned long long user = 0, system = 0;
    if (at) std::sscanf(at + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system);
    return static_cast<double>(user + system) / 100.0;
}

void Spin(double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) tellurane::HandlePendingMessages();
}

}  // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "wait";
    const char* server = argc > 2 ? argv[2] : "0";
    // A window with a one-second timer, as the clock has while it closes.
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetTimer(window, 1, 1000, nullptr);
    const double before = ProcessCpuSeconds();
    const double serverBefore = LinuxCpu(server);
    if (std::strcmp(mode, "sleep") == 0) {
        Sleep(1000);
    } else if (std::strcmp(mode, "spin") == 0) {
        Spin(1.0);
    } else {
        tellurane::WaitSeconds(1.0);
    }
    const double used = ProcessCpuSeconds() - before;
    const double serverUsed = LinuxCpu(server) - serverBefore;
    std::printf("%s program_cpu=%.3f wineserver_cpu=%.3f\n", mode, used > 0 ? used : 0.0, serverUsed);
    DestroyWindow(window);
    return 0;
}
