#pragma once
// The skin in the program folder, on the first clock while it has no skin of its own: applied at the
// start, and followed while the program runs.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "win32/change_watch.h"
#include "win32/form.h"
#include "win32/skin.h"

namespace tellurane {

// A change in the skin's folder is looked at this long after it, by a timer of its own.
inline constexpr UINT_PTR kSkinCheckTimer = 2;
inline constexpr UINT kSkinCheckDelayMs = 300;

// The skin file, in the program folder.
inline constexpr std::wstring_view kSkinFile = L"\\x\\o.cjs";

// Restyles the clock window when the skin file is in the program folder.
void ApplySkin(Form& clockWindow, SkinFramework& skin);

class ProgramSkin {
public:
    ProgramSkin(Form& window, SkinFramework& skin) : window_(window), skin_(skin) {}

    // Once the window is there: its folder watched, the file's time and size as they are now.
    void Start() noexcept;
    // After the tick that follows a change in its folder, a changed skin file is applied again.
    void Watch() noexcept;
    // The clock's store names a skin (empty: the program folder's).
    void Chosen(const std::wstring& name) noexcept;
    // The folder's change is looked at now (kSkinCheckTimer).
    void CheckDue() noexcept;

private:
    Form& window_;
    SkinFramework& skin_;
    std::uint64_t fileStamp_ = 0;  // last write time and size of the skin file, 0: none
    std::unique_ptr<FolderWatch> folderWatch_;
    bool checkDue_ = false;  // the skin's folder changed since the file was last looked at
    bool shown_ = true;      // the clock shows the program folder's skin, not one of its own
};

}  // namespace tellurane
