#include "app/tray/picture.h"

#include <commctrl.h>

#include "win32/system_library.h"

namespace tellurane {

PictureRef LoadIconPicture(int resourceId, int size) {
    UniqueIcon icon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, 0)));
    if (!icon) return nullptr;
    return std::make_shared<const Picture>(kPictureTypeIcon, std::move(icon));
}

PictureRef LoadTrayIconPicture(int resourceId) {
    // Looked up, not imported: only version 6 of the common controls has it, and an exe without the
    // manifest that asks for that version would not even start with the import.
    using LoadIconMetricFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
    static const auto loadIconMetric = SystemFunction<LoadIconMetricFunction>(L"comctl32.dll", "LoadIconMetric");
    UniqueIcon icon;
    if (!loadIconMetric ||
        FAILED(loadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), LIM_SMALL, icon.put()))) {
        return LoadIconPicture(resourceId, GetSystemMetrics(SM_CXSMICON));
    }
    if (!icon) return nullptr;
    return std::make_shared<const Picture>(kPictureTypeIcon, std::move(icon));
}

}  // namespace tellurane
