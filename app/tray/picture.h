#pragma once
// A picture as windows and the tray control take it: its type, and for an icon its HICON.

#include <windows.h>

#include <memory>

#include "win32/handles.h"

namespace tellurane {

inline constexpr int kPictureTypeIcon = 3;

class Picture {
public:
    Picture(int type, UniqueIcon icon) : type_(type), icon_(std::move(icon)) {}
    int Type() const noexcept { return type_; }
    HICON Handle() const noexcept { return icon_.get(); }

private:
    int type_;
    UniqueIcon icon_;
};

using PictureRef = std::shared_ptr<const Picture>;

// An icon resource of this program at the given size; none when it cannot be loaded.
PictureRef LoadIconPicture(int resourceId, int size);
// An icon resource of this program at the size the shell draws notification-area icons at now;
// none when it cannot be loaded.
PictureRef LoadTrayIconPicture(int resourceId);

}  // namespace tellurane
