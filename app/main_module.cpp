#include "app/main_module.h"

#include <map>

#include "logic/app_error.h"
#include "logic/app_title.h"
#include "logic/error_report.h"
#include "logic/paths.h"
#include "logic/product.h"
#include "logic/texts.h"
#include "resources/resource_ids.h"
#include "win32/boundary.h"
#include "win32/form.h"
#include "win32/handles.h"
#include "win32/language.h"
#include "win32/system_library.h"

namespace tellurane {
namespace {

MessageBoxFunction g_messageBox = &MessageBoxW;
std::wstring g_applicationTitle(kProductName);

}  // namespace

std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        if (path.size() >= 32768) return {};  // longer than any path Windows can hold
        path.resize(path.size() * 2);
    }
}

std::wstring ProgramFolder() { return FolderOf(ProgramPath()); }

bool FileExists(std::wstring_view path) noexcept {
    return CarryOnOr("FileExists", false, [&] {
        const std::wstring text(path);
        if (text.find(L'\0') != std::wstring::npos) return false;
        // A drive that is not ready must answer false, not ask the user to insert a disk.
        DWORD oldMode = 0;
        SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode);
        WIN32_FILE_ATTRIBUTE_DATA data;
        const bool exists = GetFileAttributesExW(text.c_str(), GetFileExInfoStandard, &data) != FALSE;
        SetThreadErrorMode(oldMode, nullptr);
        return exists;
    });
}

void ResetControlColors(Form& window) {
    window.SetBackColor(kButtonFaceColor);
    for (int id : window.PlainControlIds()) window.SetControlBackColor(id, kButtonFaceColor);
}

void SetApplicationTitle() { g_applicationTitle = ApplicationTitleFor(kProductName); }

const std::wstring& ApplicationTitle() noexcept { return g_applicationTitle; }

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction box) noexcept {
    return std::exchange(g_messageBox, box ? box : &MessageBoxW);
}

void ShowApplicationError(std::wstring_view description, std::wstring_view location, int line) noexcept {
    // With no memory left for the text, nothing can be shown.
    CarryOn("ShowApplicationError", [&] {
        const std::wstring text = ErrorReportText(description, location, line, kSupportAddress);
        const std::wstring title = Tr(IDS_ERROR_BOX_TITLE);
        // Owned by the active window, so that the box stays in front of it and blocks it.
        g_messageBox(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION | BoxReadingFlags());
    });
}

void ShowPlainError(std::wstring_view description) noexcept {
    CarryOn("ShowPlainError", [&] {
        const std::wstring text(description);
        const std::wstring& title = ApplicationTitle();
        g_messageBox(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION | BoxReadingFlags());
    });
}

namespace {

int IconSide(bool small, int dpi) noexcept {
    using Fn = int(WINAPI*)(int, UINT);
    static const Fn forDpi = SystemFunction<Fn>(L"user32.dll", "GetSystemMetricsForDpi");
    const int metric = small ? SM_CXSMICON : SM_CXICON;
    const int side = forDpi && dpi > 0 ? forDpi(metric, static_cast<UINT>(dpi)) : 0;
    return side > 0 ? side : GetSystemMetrics(metric);
}

}  // namespace

HICON ProgramIcon(bool small, int dpi) noexcept {
    // Windows keeps using the icons a window is given with WM_SETICON: they must outlive every
    // window, so they live as long as the process. There are only a few sizes, one or two per DPI.
    static std::map<int, UniqueIcon> icons;
    return CarryOnOr("ProgramIcon", HICON{}, [&] {
        const int side = IconSide(small, dpi);
        UniqueIcon& icon = icons[side];
        if (!icon) {
            icon.reset(static_cast<HICON>(LoadImageW(
                GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TELLURANE_PROGRAM_ICON), IMAGE_ICON, side, side, 0)));
        }
        return icon.get();
    });
}

}  // namespace tellurane
