// The clock window under a skin: the look it is given, the frame and opacity of the window itself,
// and the skin file followed while the program runs.

#include "app/clock/form1.h"

#include "logic/app_error.h"
#include "logic/paths.h"
#include "logic/setting_keys.h"
#include "logic/twips.h"
#include "win32/boundary.h"
#include "win32/gdi.h"
#include "win32/windows_build.h"

namespace tellurane {
namespace {

// DWM attributes by number: MinGW's headers do not all have the newer names.
constexpr DWORD kUseImmersiveDarkMode = 20;
constexpr DWORD kUseImmersiveDarkModeBefore20H1 = 19;
constexpr DWORD kWindowCornerPreference = 33;

HRESULT SetDwmAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
    using Fn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const Fn set = [] {
        HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);  // kept loaded
        return dwm ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
                   : nullptr;
    }();
    return set ? set(window, attribute, value, size) : E_NOTIMPL;
}

COLORREF ToRgb(std::uint32_t bgr) { return static_cast<COLORREF>(bgr); }

std::uint64_t FileStamp(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    const std::uint64_t time = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                               data.ftLastWriteTime.dwLowDateTime;
    return (time ^ (static_cast<std::uint64_t>(data.nFileSizeLow) << 7)) | 1;  // never 0 for a file that is there
}

}  // namespace

void Form1::ShowSkinLook(const SkinLook* look, SkinGrant grant) noexcept {
    // A look that cannot be shown leaves the window as it was.
    CarryOn("Form1::ShowSkinLook", [&] {
        // The skin's text colour goes with it: where the user chose none, the layout's black shows again,
        // not a colour meant for the skin's plate.
        if (skinTextColor_ && !store_.HasSetting(keys::kFontColor)) PushButton1().SetForeColor(kBlack);
        skinTextColor_.reset();
        if (!look) {
            PushButton1().SetSkin(std::nullopt);
            PushButton1().SetMovesWindow(false);
            ApplyFrame(SkinFrame::Standard);
            ApplyOpacity(100);
            ApplyWindowAttributes(SkinCorners::Default, SkinDarkTitleBar::No);
            return;
        }
        const SkinFace& face = look->face;
        if (grant.colorKeys && look->window.background) SetBackColor(*look->window.background);
        FaceSkin skin;
        skin.font = FirstInstalledFont(face.fonts);
        skin.weight = face.weight;
        skin.italic = face.italic;
        skin.windowBack = ToColorRef(BackColor());
        skin.plate = ToColorRef(PushButton1().BackColor());
        if (grant.colorKeys && face.background) {
            skin.plate = face.background->has_value() ? std::optional<COLORREF>(ToRgb(**face.background))
                                                      : std::nullopt;
        }
        skin.tabular = face.digits == SkinDigits::Tabular;
        skin.align = face.align.value_or(SkinAlign::Center);
        skin.outline = face.outline;
        skin.shadow = face.shadow;
        skin.cornerPoints = face.corner.value_or(0);
        PushButton1().SetSkin(skin);

        // The skin's text colour shows only while the user has chosen none.
        if (grant.colorKeys && face.textColor) {
            skinTextColor_ = ToRgb(*face.textColor);
            if (!store_.HasSetting(keys::kFontColor)) PushButton1().SetForeColor(*skinTextColor_);
        }
        if (grant.windowKeys) {
            const SkinFrame frame = look->window.frame.value_or(SkinFrame::Standard);
            ApplyFrame(frame);
            PushButton1().SetMovesWindow(frame != SkinFrame::Standard);
            ApplyOpacity(look->window.opacity.value_or(100));
            ApplyWindowAttributes(look->window.corners.value_or(SkinCorners::Default),
                                  look->window.darkTitleBar.value_or(SkinDarkTitleBar::Auto));
        }
    });
}

void Form1::ApplyFrame(SkinFrame frame) noexcept {
    constexpr LONG_PTR kFrameBits = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME | WS_POPUP;
    const LONG_PTR current = GetWindowLongPtrW(Handle(), GWL_STYLE);
    if (!layoutFrame_) layoutFrame_ = current & kFrameBits;
    // Only the frame changes: visibility and the minimised state stay as they are.
    LONG_PTR frameBits = layoutFrame_;
    if (frame == SkinFrame::Thin) frameBits = WS_POPUP | WS_THICKFRAME;
    if (frame == SkinFrame::None) frameBits = WS_POPUP;
    const LONG_PTR style = (current & ~kFrameBits) | frameBits;
    if (style == current) return;
    // The outer place stays; the face follows the new client area.
    RECT outer = NormalRect();
    SetWindowLongPtrW(Handle(), GWL_STYLE, style);
    SetWindowPos(Handle(), nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::ApplyOpacity(int percent) noexcept {
    const LONG_PTR exStyle = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    if (percent >= 100) {
        if (exStyle & WS_EX_LAYERED) SetWindowLongPtrW(Handle(), GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
        return;
    }
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(Handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Handle(), 0, static_cast<BYTE>(MulDiv(percent, 255, 100)), LWA_ALPHA);
}

void Form1::ApplyWindowAttributes(SkinCorners corners, SkinDarkTitleBar title) noexcept {
    const DWORD preference = corners == SkinCorners::Round ? 2 : corners == SkinCorners::Square ? 1 : 0;
    SetDwmAttribute(Handle(), kWindowCornerPreference, &preference, sizeof preference);
    const BOOL dark = title == SkinDarkTitleBar::Yes || (title == SkinDarkTitleBar::Auto && AppsUseDarkMode());
    if (FAILED(SetDwmAttribute(Handle(), kUseImmersiveDarkMode, &dark, sizeof dark))) {
        SetDwmAttribute(Handle(), kUseImmersiveDarkModeBefore20H1, &dark, sizeof dark);
    }
    if (!CaptionFollowsDarkModeAtOnce(WindowsBuild())) {
        // Windows 10 draws the caption anew only on activation: a pair of them, ending in the state the
        // window is in, repaints it now.
        const BOOL active = GetActiveWindow() == Handle();
        SendMessageW(Handle(), WM_NCACTIVATE, !active, 0);
        SendMessageW(Handle(), WM_NCACTIVATE, active, 0);
    }
}

// The skin file's time and size are looked at after a change in its folder, at the next tick (so a file
// still being written is read once, when the tick comes): a file written, replaced or deleted shows
// within two seconds, and is read once per change. Without a folder watch, every tick looks.
void Form1::WatchSkinFile() noexcept {
    if (skinFolderWatch_ && skinFolderWatch_->Active() && !skinCheckDue_) return;
    skinCheckDue_ = false;
    try {
        const std::wstring path = InFolder(ProgramFolder(), kSkinFile);
        const std::uint64_t stamp = FileStamp(path);
        if (stamp == skinFileStamp_) return;
        skinFileStamp_ = stamp;
        if (!stamp) {
            skinFramework1_.Unload();
            SetBackColor(Layout().backColor);
            return;
        }
        // The whole skin routine again; a bad edit is said once and the last good look stays.
        ApplySkin(*this, skinFramework1_);
    } catch (const AppError& error) {
        ShowPlainError(error.Description());
        skinFramework1_.Reapply();
    } catch (...) {
        LogCaughtFailure("Form1::WatchSkinFile");
    }
}

void Form1::StartSkinWatch() noexcept {
    CarryOn("Form1::StartSkinWatch", [&] {
        const std::wstring path = InFolder(ProgramFolder(), kSkinFile);
        skinFileStamp_ = FileStamp(path);
        skinFolderWatch_ = std::make_unique<FolderWatch>(FolderOf(path), [this] { skinCheckDue_ = true; });
    });
}

void ApplySkin(Form& clockWindow, SkinFramework& skin) {
    const std::wstring skinFile = InFolder(ProgramFolder(), kSkinFile);
    const DWORD attributes = GetFileAttributesW(skinFile.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
        return;
    }
    ResetControlColors(clockWindow);
    skin.LoadSkin(skinFile, L"");
    skin.SetApplyOptions(skin.ApplyOptions() | 1);
    skin.SetAutoApplyNewWindows(true);
    skin.SetAutoApplyNewThreads(true);
    skin.ApplyWindow(clockWindow.Handle());
}

}  // namespace tellurane
