// Puts a running clock (the first clock window, or the reference's) into a state nobody can see it in,
// or back, sending what Windows sends: WM_SYSCOMMAND to minimise (into the tray) and restore, and, since
// Wine sends neither, WM_WTSSESSION_CHANGE for a lock and WM_POWERBROADCAST for the display going off.
// The last one carries a POWERBROADCAST_SETTING, which a message between processes does not copy: it is
// written into the clock's own memory first, where Windows would have put it.
//   clock_state.exe tray|locked|display-off|seen
#include <windows.h>
#include <wtsapi32.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <initializer_list>

namespace {

constexpr GUID kConsoleDisplayState{0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

HWND FindClock() {
    for (const wchar_t* name : {L"Tellurane.Form1", L"Tellurane.Reference"}) {
        if (HWND window = FindWindowW(name, nullptr)) return window;
    }
    return nullptr;
}

bool SendDisplayState(HWND clock, DWORD state) {
    DWORD process = 0;
    GetWindowThreadProcessId(clock, &process);
    HANDLE target = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
    if (!target) return false;
    POWERBROADCAST_SETTING setting{kConsoleDisplayState, sizeof(DWORD), {}};
    std::memcpy(setting.Data, &state, sizeof state);
    void* there = VirtualAllocEx(target, nullptr, sizeof setting, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const bool written = there && WriteProcessMemory(target, there, &setting, sizeof setting, nullptr);
    if (written) {
        SendMessageW(clock, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(there));
    }
    if (there) VirtualFreeEx(target, there, 0, MEM_RELEASE);
    CloseHandle(target);
    return written;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    HWND clock = FindClock();
    if (argc != 2 || !clock) {
        std::fputs("usage: clock_state.exe tray|locked|display-off|seen (with a clock running)\n", stderr);
        return 2;
    }
    const wchar_t* state = argv[1];
    if (std::wcscmp(state, L"tray") == 0) {
        SendMessageW(clock, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (std::wcscmp(state, L"locked") == 0) {
        SendMessageW(clock, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    } else if (std::wcscmp(state, L"display-off") == 0) {
        if (!SendDisplayState(clock, 0)) return 1;
    } else if (std::wcscmp(state, L"seen") == 0) {
        SendMessageW(clock, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
        SendDisplayState(clock, 1);
        SendMessageW(clock, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else {
        return 2;
    }
    return 0;
}
