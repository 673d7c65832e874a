#include "tests/support/desktop.h"

#include "logic/contrast.h"

#include <commctrl.h>
#include <wincodec.h>

#include <algorithm>
#include <map>
#include <cstdlib>
#include <thread>

namespace tellurane::support {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout, bool handleMessages) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (handleMessages) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        if (handleMessages) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        } else {
            Sleep(10);
        }
    }
}

void BecomePerMonitorDpiAware() {
    using Fn = BOOL(WINAPI*)(HANDLE);
    auto set = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (set) set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)));  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
}

int ExpectedDpi() {
    const char* dpi = std::getenv("TELLURANE_DPI");
    return dpi && std::atoi(dpi) > 0 ? std::atoi(dpi) : 96;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                             &copied)) {
        return L"<no answer>";
    }
    return {buffer, copied};
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

namespace {
struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    Search search{processId, {}};
    EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND FindTopLevel(DWORD processId, const std::wstring& className, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindowsOf(processId)) {
                if (ClassOf(window) == className && IsWindowVisible(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

HWND FindMessageBox(DWORD processId, std::chrono::milliseconds timeout) {
    return FindTopLevel(processId, L"#32770", timeout);
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT ChildRectInClient(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ClickAt(POINT point, bool rightButton) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65535, width - 1);
        input.mi.dy = MulDiv(point.y, 65535, height - 1);
        // Every event carries the position, or Wine loses clicks.
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    inputs[1].mi.dwFlags |= rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(1, &inputs[0], sizeof(INPUT));
    Sleep(50);
    SendInput(2, &inputs[1], sizeof(INPUT));
}

namespace {
// A button pressed, or a caption taken, holds the mouse capture until the button is let go.
bool HoldsCapture(DWORD thread) {
    GUITHREADINFO info{sizeof info};
    return GetGUIThreadInfo(thread, &info) && info.hwndCapture != nullptr;
}
}  // namespace

void DragFromTo(POINT from, POINT to) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const auto send = [&](POINT at, DWORD button) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(at.x, 65535, width - 1);
        input.mi.dy = MulDiv(at.y, 65535, height - 1);
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | button;
        SendInput(1, &input, sizeof input);
        Sleep(30);
    };
    send(from, 0);
    const DWORD thread = GetWindowThreadProcessId(WindowFromPoint(from), nullptr);
    send(from, MOUSEEVENTF_LEFTDOWN);
    // A busy program may read where the pointer is only when it gets to the press: the pointer waits
    // there until it has, so that the drag starts where it was pressed.
    if (thread) WaitUntil([&] { return HoldsCapture(thread); }, kStateTimeout);
    // In steps of at most 6 pixels, as a mouse reports a move: the first step past the drag threshold is
    // then a few pixels, not a tenth of the way. (Wine 10 has been seen to offset a face's drag by that
    // first step; with a real mouse it is within the snap to an edge.)
    const int steps = std::max(10,
                               static_cast<int>(std::max(std::abs(to.x - from.x), std::abs(to.y - from.y)) + 5) / 6);
    for (int step = 1; step <= steps; ++step) {
        send({from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps}, 0);
    }
    send(to, MOUSEEVENTF_LEFTUP);
    if (thread) WaitUntil([&] { return !HoldsCapture(thread); }, kStateTimeout);
}

void MoveMouseTo(POINT point, int steps) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    for (int step = 0; step < steps; ++step) {
        move.mi.dx = MulDiv(point.x + step, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        move.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        SendInput(1, &move, sizeof move);
        Sleep(50);
    }
}

void PressKey(WORD virtualKey) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

namespace {

std::wstring ScreenshotFolder() {
    const wchar_t* folder = _wgetenv(L"TELLURANE_SCREENSHOTS");
#ifdef TELLURANE_SCREENSHOT_FOLDER
    if (!folder) folder = TELLURANE_SCREENSHOT_FOLDER;
#endif
    return folder ? folder : L".";
}

bool WritePng(HBITMAP bitmap, const std::wstring& path) {
    bool written = false;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICBitmap* source = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, &source)) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr))) {
        UINT width = 0, height = 0;
        source->GetSize(&width, &height);
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        written = SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
                  SUCCEEDED(frame->WriteSource(source, nullptr)) && SUCCEEDED(frame->Commit()) &&
                  SUCCEEDED(encoder->Commit());
    }
    if (frame) frame->Release();
    if (encoder) encoder->Release();
    if (stream) stream->Release();
    if (source) source->Release();
    if (factory) factory->Release();
    if (SUCCEEDED(init)) CoUninitialize();
    return written;
}

}  // namespace

std::wstring SaveScreenshot(const std::wstring& name) {
    const std::wstring folder = ScreenshotFolder();
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + name + L".png";
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, GetSystemMetrics(SM_XVIRTUALSCREEN),
           GetSystemMetrics(SM_YVIRTUALSCREEN), SRCCOPY | CAPTUREBLT);
    SelectObject(memory, old);
    const bool written = WritePng(bitmap, path);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written ? path : std::wstring();
}

ScreenPart TakeScreenPart(const RECT& rect) {
    ScreenPart part;
    part.width = rect.right - rect.left;
    part.height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    part.bitmap.reset(CreateCompatibleBitmap(screen, part.width, part.height), &DeleteObject);
    const HGDIOBJ old = SelectObject(memory, part.bitmap.get());
    BitBlt(memory, 0, 0, part.width, part.height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return part;
}

std::wstring SaveSideBySide(const std::wstring& name, const std::vector<ScreenPart>& parts, int columns) {
    constexpr int kMargin = 12;
    int cellWidth = 0, cellHeight = 0;
    for (const ScreenPart& part : parts) {
        cellWidth = std::max(cellWidth, part.width);
        cellHeight = std::max(cellHeight, part.height);
    }
    const int rows = (static_cast<int>(parts.size()) + columns - 1) / columns;
    const int width = columns * (cellWidth + kMargin) + kMargin, height = rows * (cellHeight + kMargin) + kMargin;
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    HBITMAP whole = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ oldTarget = SelectObject(target, whole);
    const RECT all{0, 0, width, height};
    FillRect(target, &all, GetSysColorBrush(COLOR_DESKTOP));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const HGDIOBJ oldSource = SelectObject(source, parts[i].bitmap.get());
        const int x = kMargin + static_cast<int>(i % columns) * (cellWidth + kMargin);
        const int y = kMargin + static_cast<int>(i / columns) * (cellHeight + kMargin);
        BitBlt(target, x, y, parts[i].width, parts[i].height, source, 0, 0, SRCCOPY);
        SelectObject(source, oldSource);
    }
    SelectObject(target, oldTarget);
    const std::wstring folder = ScreenshotFolder();
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + name + L".png";
    const bool written = WritePng(whole, path);
    DeleteObject(whole);
    DeleteDC(source);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    return written ? path : std::wstring();
}

LaunchedProgram::LaunchedProgram(const std::wstring& path, const std::wstring& arguments) {
    job_ = CreateJobObjectW(nullptr, nullptr);
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    std::wstring commandLine = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION info{};
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/"));
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                       folder.c_str(), &startup, &info)) {
        if (job_) AssignProcessToJobObject(job_, info.hProcess);
        ResumeThread(info.hThread);
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
        WaitForInputIdle(process_, 10000);
    }
}

LaunchedProgram::~LaunchedProgram() {
    if (process_) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }
    if (job_) CloseHandle(job_);
}

bool LaunchedProgram::WaitForExit(std::chrono::milliseconds timeout, DWORD& exitCode) {
    if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(process_, &exitCode);
    return true;
}

double TextContrastOnScreen(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return 1;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    std::map<DWORD, int> counts;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) ++counts[pixels[i] & 0xFFFFFF];
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    // DIB pixels are 0x00RRGGBB; contrast wants 0x00BBGGRR, which only swaps red and blue.
    const auto rgb = [](DWORD pixel) { return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16); };
    DWORD background = 0;
    int most = -1;
    for (const auto& [colour, count] : counts) {
        if (count > most) most = count, background = colour;
    }
    double best = 1;
    for (const auto& [colour, count] : counts)
        best = std::max(best, tellurane::ContrastRatio(rgb(background), rgb(colour)));
    return best;
}

}  // namespace tellurane::support
