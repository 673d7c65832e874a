#include "app/clock/skinned_clock.h"

#include <algorithm>

#include "app/main_module.h"
#include "logic/app_error.h"
#include "logic/paths.h"
#include "logic/setting_keys.h"
#include "logic/texts.h"
#include "win32/boundary.h"
#include "win32/gdi.h"
#include "win32/system_library.h"
#include "win32/windows_build.h"

namespace tellurane {
namespace {

// DWM attributes by number: MinGW's headers do not all have the newer names.
constexpr DWORD kUseImmersiveDarkMode = 20;
constexpr DWORD kUseImmersiveDarkModeBefore20H1 = 19;
constexpr DWORD kWindowCornerPreference = 33;

HRESULT SetDwmAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
    using Fn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const Fn set = SystemFunction<Fn>(L"dwmapi.dll", "DwmSetWindowAttribute");
    return set ? set(window, attribute, value, size) : E_NOTIMPL;
}

COLORREF ToRgb(std::uint32_t bgr) { return static_cast<COLORREF>(bgr); }

}  // namespace

void SkinnedClock::Show(const SkinLook* look, SkinGrant grant) noexcept {
    // A look that cannot be shown leaves the window as it was.
    CarryOn("SkinnedClock::Show", [&] {
        // The skin's text colour goes with it: where the user chose none, the layout's black shows again,
        // not a colour meant for the skin's plate.
        if (textColor_ && !store_.HasSetting(keys::kFontColor)) Face().SetForeColor(kBlack);
        textColor_.reset();
        if (!look) {
            Face().SetSkin(std::nullopt);
            Face().SetMovesWindow(false);
            ApplyFrame(SkinFrame::Standard);
            ApplyOpacity(100);
            ApplyWindowAttributes(SkinCorners::Default, SkinDarkTitleBar::No);
            return;
        }
        const SkinFace& face = look->face;
        if (grant.colorKeys && look->window.background) window_.SetBackColor(*look->window.background);
        FaceSkin skin;
        skin.font = FirstInstalledFont(face.fonts);
        skin.weight = face.weight;
        skin.italic = face.italic;
        skin.windowBack = ToColorRef(window_.BackColor());
        skin.plate = ToColorRef(Face().BackColor());
        if (grant.colorKeys && face.background) {
            skin.plate = face.background->has_value() ? std::optional<COLORREF>(ToRgb(**face.background))
                                                      : std::nullopt;
        }
        skin.tabular = face.digits == SkinDigits::Tabular;
        skin.align = face.align.value_or(SkinAlign::Center);
        skin.outline = face.outline;
        skin.shadow = face.shadow;
        skin.cornerPoints = face.corner.value_or(0);
        Face().SetSkin(skin);

        // The skin's text colour shows only while the user has chosen none.
        if (grant.colorKeys && face.textColor) {
            textColor_ = ToRgb(*face.textColor);
            if (!store_.HasSetting(keys::kFontColor)) Face().SetForeColor(*textColor_);
        }
        if (grant.windowKeys) {
            const SkinFrame frame = look->window.frame.value_or(SkinFrame::Standard);
            ApplyFrame(frame);
            Face().SetMovesWindow(frame != SkinFrame::Standard);
            ApplyOpacity(look->window.opacity.value_or(100));
            ApplyWindowAttributes(look->window.corners.value_or(SkinCorners::Default),
                                  look->window.darkTitleBar.value_or(SkinDarkTitleBar::Auto));
        }
    });
}

void SkinnedClock::ApplyFrame(SkinFrame frame) noexcept {
    constexpr LONG_PTR kFrameBits = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME | WS_POPUP;
    const LONG_PTR current = GetWindowLongPtrW(window_.Handle(), GWL_STYLE);
    if (!layoutFrame_) layoutFrame_ = current & kFrameBits;
    // Only the frame changes: visibility and the minimised state stay as they are.
    LONG_PTR frameBits = layoutFrame_;
    if (frame == SkinFrame::Thin) frameBits = WS_POPUP | WS_THICKFRAME;
    if (frame == SkinFrame::None) frameBits = WS_POPUP;
    const LONG_PTR style = (current & ~kFrameBits) | frameBits;
    if (style == current) return;
    // The outer place stays; the face follows the new client area.
    RECT outer = window_.NormalRect();
    SetWindowLongPtrW(window_.Handle(), GWL_STYLE, style);
    SetWindowPos(window_.Handle(), nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SkinnedClock::ApplyOpacity(int percent) noexcept {
    const LONG_PTR exStyle = GetWindowLongPtrW(window_.Handle(), GWL_EXSTYLE);
    if (percent >= 100) {
        // A clock the mouse passes through stays layered, wholly opaque.
        if (exStyle & WS_EX_TRANSPARENT) {
            SetLayeredWindowAttributes(window_.Handle(), 0, 255, LWA_ALPHA);
        } else if (exStyle & WS_EX_LAYERED) {
            SetWindowLongPtrW(window_.Handle(), GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
        }
        return;
    }
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(window_.Handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window_.Handle(), 0, static_cast<BYTE>(MulDiv(percent, 255, 100)), LWA_ALPHA);
}

void SkinnedClock::ApplyWindowAttributes(SkinCorners corners, SkinDarkTitleBar title) noexcept {
    const DWORD preference = corners == SkinCorners::Round ? 2 : corners == SkinCorners::Square ? 1 : 0;
    SetDwmAttribute(window_.Handle(), kWindowCornerPreference, &preference, sizeof preference);
    const BOOL dark = title == SkinDarkTitleBar::Yes || (title == SkinDarkTitleBar::Auto && AppsUseDarkMode());
    if (FAILED(SetDwmAttribute(window_.Handle(), kUseImmersiveDarkMode, &dark, sizeof dark))) {
        SetDwmAttribute(window_.Handle(), kUseImmersiveDarkModeBefore20H1, &dark, sizeof dark);
    }
    if (!CaptionFollowsDarkModeAtOnce(WindowsBuild())) {
        // Windows 10 draws the caption anew only on activation: a pair of them, ending in the state the
        // window is in, repaints it now.
        const BOOL active = GetActiveWindow() == window_.Handle();
        SendMessageW(window_.Handle(), WM_NCACTIVATE, !active, 0);
        SendMessageW(window_.Handle(), WM_NCACTIVATE, active, 0);
    }
}

namespace {

constexpr std::wstring_view kProgramSkin = L"o.cjs";  // in x: the program folder's own skin

bool IsPlainSkinName(std::wstring_view name) {
    return name.size() > 4 && name.size() < MAX_PATH && name.ends_with(L".cjs") &&
           name.find_first_of(L"\\/:*?\"<>|") == std::wstring_view::npos && name.front() != L'.';
}

std::wstring SkinFolder(std::wstring_view folder) { return InFolder(ProgramFolder(), L"\\" + std::wstring(folder)); }

std::vector<std::wstring> SkinFilesIn(std::wstring_view folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const std::wstring pattern = SkinFolder(folder) + L"\\*.cjs";
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring_view name(found.cFileName);
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) && IsPlainSkinName(name)) {
            names.emplace_back(name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

// "&" shows as itself in a menu only when doubled.
std::wstring MenuText(std::wstring text) {
    for (std::size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at + 2))
        text.insert(at, 1, L'&');
    return text;
}

}  // namespace

std::vector<SkinChoice> SkinChoices() {
    std::vector<SkinChoice> choices{{std::wstring(kNoSkin), Tr(IDS_MENU_SKIN_NONE)}};
    if (IsFile(SkinFolder(L"x") + L"\\" + std::wstring(kProgramSkin))) {
        choices.push_back({L"", Tr(IDS_MENU_SKIN_PROGRAM_FOLDER)});
    }
    std::vector<std::wstring> names = SkinFilesIn(L"x");
    std::erase_if(names, [](const std::wstring& name) {
        return CompareStringOrdinal(name.c_str(), -1, kProgramSkin.data(), static_cast<int>(kProgramSkin.size()),
                                    TRUE) == CSTR_EQUAL;
    });
    for (std::wstring& name : SkinFilesIn(L"skins")) names.push_back(std::move(name));
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) < 0; });
    names.erase(
        std::unique(names.begin(), names.end(),
                    [](const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }),
        names.end());
    for (const std::wstring& name : names) choices.push_back({name, MenuText(name.substr(0, name.size() - 4))});
    return choices;
}

void ApplySkinFile(Form& window, SkinFramework& skin, const std::wstring& path) {
    ResetControlColors(window);
    skin.LoadSkin(path, L"");
    skin.SetApplyOptions(skin.ApplyOptions() | 1);
    skin.SetAutoApplyNewWindows(true);
    skin.SetAutoApplyNewThreads(true);
    skin.ApplyWindow(window.Handle());
}

void ApplyChosenSkin(Form& window, SkinFramework& skin, std::wstring_view name) {
    const auto none = [&] {
        skin.Unload();
        window.SetBackColor(window.Layout().backColor);
    };
    if (name == kNoSkin) return none();
    if (name.empty()) {
        const std::wstring own = SkinFolder(L"x") + L"\\" + std::wstring(kProgramSkin);
        return IsFile(own) ? ApplySkinFile(window, skin, own) : none();
    }
    if (IsPlainSkinName(name)) {
        for (std::wstring_view folder : {L"x", L"skins"}) {
            const std::wstring path = SkinFolder(folder) + L"\\" + std::wstring(name);
            if (IsFile(path)) return ApplySkinFile(window, skin, path);
        }
    }
    throw AppError(Tr(IDS_SKIN_NOT_FOUND, {name}));
}

}  // namespace tellurane
