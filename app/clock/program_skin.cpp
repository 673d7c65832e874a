#include "app/clock/program_skin.h"

#include "app/clock/skinned_clock.h"
#include "app/main_module.h"
#include "logic/app_error.h"
#include "logic/paths.h"
#include "logic/setting_keys.h"
#include "logic/twips.h"
#include "win32/boundary.h"
#include "win32/gdi.h"
#include "win32/windows_build.h"

namespace tellurane {
namespace {

std::uint64_t FileStamp(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    const std::uint64_t time = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                               data.ftLastWriteTime.dwLowDateTime;
    return (time ^ (static_cast<std::uint64_t>(data.nFileSizeLow) << 7)) | 1;  // never 0 for a file that is there
}

}  // namespace

// The skin file's time and size are looked at after a change in its folder, at the next tick (so a file
// still being written is read once, when the tick comes): a file written, replaced or deleted shows
// within two seconds, and is read once per change. Without a folder watch, every tick looks.
void ProgramSkin::Watch() noexcept {
    if (!shown_) return;  // a skin of the clock's own: the program's is not shown
    if (folderWatch_ && folderWatch_->Active() && !checkDue_) return;
    checkDue_ = false;
    const auto look = [this] {
        const std::wstring path = InFolder(ProgramFolder(), kSkinFile);
        const std::uint64_t stamp = FileStamp(path);
        if (stamp == fileStamp_) return;
        fileStamp_ = stamp;
        if (!stamp) {
            skin_.Unload();
            window_.SetBackColor(window_.Layout().backColor);
            return;
        }
        // The whole skin routine again; a bad edit is said once and the last good look stays.
        ApplySkin(window_, skin_);
    };
    SayOrLog("Form1::WatchSkinFile", look, [this](const std::wstring& problem) {
        ShowPlainError(problem);
        skin_.Reapply();
    });
}

void ProgramSkin::Chosen(const std::wstring& name) noexcept {
    shown_ = name.empty();
    if (shown_) {
        CarryOn("Form1::SkinChosen", [&] { fileStamp_ = FileStamp(InFolder(ProgramFolder(), kSkinFile)); });
    }
}

void ProgramSkin::CheckDue() noexcept {
    KillTimer(window_.Handle(), kSkinCheckTimer);
    Watch();
}

void ProgramSkin::Start() noexcept {
    CarryOn("Form1::StartSkinWatch", [&] {
        const std::wstring path = InFolder(ProgramFolder(), kSkinFile);
        fileStamp_ = FileStamp(path);
        // Looked at a moment after the folder changes, once an editor's writes are done: no tick waits
        // for it, so a clock that changes once a minute takes a new skin as soon as one that ticks.
        folderWatch_ = std::make_unique<FolderWatch>(FolderOf(path), [this] {
            checkDue_ = true;
            SetTimer(window_.Handle(), kSkinCheckTimer, kSkinCheckDelayMs, nullptr);
        });
    });
}

void ApplySkin(Form& clockWindow, SkinFramework& skin) {
    const std::wstring skinFile = InFolder(ProgramFolder(), kSkinFile);
    const DWORD attributes = GetFileAttributesW(skinFile.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
        return;
    }
    ApplySkinFile(clockWindow, skin, skinFile);
}

}  // namespace tellurane
