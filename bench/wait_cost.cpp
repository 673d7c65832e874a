// Measures what a one-second wait costs in CPU: the program's own time is printed here, the
// wineserver's is read by bench/run.sh around the whole run.
//   wait_cost wait    the program's WaitSeconds(1)
//   wait_cost sleep   the floor: Sleep(1000) with the same window and timer
//   wait_cost spin    a wait that handles messages in a loop without sleeping, for comparison

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "core/main_module.h"
#include "core/message_loop.h"

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

void Spin(double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) tellurane::HandlePendingMessages();
}

}  // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "wait";
    // A window with a one-second timer, as the clock has while it closes.
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetTimer(window, 1, 1000, nullptr);
    const double before = ProcessCpuSeconds();
    if (std::strcmp(mode, "sleep") == 0) {
        Sleep(1000);
    } else if (std::strcmp(mode, "spin") == 0) {
        Spin(1.0);
    } else {
        tellurane::WaitSeconds(1.0);
    }
    const double used = ProcessCpuSeconds() - before;
    std::printf("%s program_cpu=%.4f\n", mode, used > 0 ? used : 0.0);
    DestroyWindow(window);
    return 0;
}
