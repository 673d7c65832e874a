#include "tray/picture.h"

namespace tellurane {

PictureRef LoadIconPicture(int resourceId, int size) {
    UniqueIcon icon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, 0)));
    if (!icon) return nullptr;
    return std::make_shared<const Picture>(kPictureTypeIcon, std::move(icon));
}

}  // namespace tellurane
