#pragma once
// The look a skin gives one clock window: the face's font, plate and colours, and the window's frame,
// opacity, corners and title bar; or the layout's own look again.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "win32/form.h"
#include "win32/skin.h"

namespace tellurane {

class SkinnedClock {
public:
    // faceId: the window's push button that shows the time. store: the clock's, whose colour wins.
    SkinnedClock(Form& window, int faceId, const SettingsStore& store)
        : window_(window), faceId_(faceId), store_(store) {}

    // A look, or nullptr for the layout's own.
    void Show(const SkinLook* look, SkinGrant grant) noexcept;
    // The text colour the skin gives while the user has chosen none.
    std::optional<COLORREF> TextColor() const noexcept { return textColor_; }

private:
    PushButton& Face() { return window_.Button(faceId_); }
    void ApplyFrame(SkinFrame frame) noexcept;
    void ApplyOpacity(int percent) noexcept;
    void ApplyWindowAttributes(SkinCorners corners, SkinDarkTitleBar title) noexcept;

    Form& window_;
    int faceId_;
    const SettingsStore& store_;
    std::optional<COLORREF> textColor_;
    LONG_PTR layoutFrame_ = 0;  // the frame the layout gives, before any skin
};

// A clock's "Skin": empty for the program folder's x\\o.cjs (when it is there), kNoSkin for none, or the
// name of a .cjs file in the x folder or, failing that, in the skins folder.
inline constexpr std::wstring_view kNoSkin = L"None";

struct SkinChoice {
    std::wstring value;  // as stored
    std::wstring title;  // as the menu shows it
};
// None, the program folder's own skin, then every other skin of the x and skins folders, by name.
std::vector<SkinChoice> SkinChoices();

// Gives the window the skin a clock's "Skin" names. AppError for a name that is no such file, or a file
// that cannot be used; the window then keeps the look it had.
void ApplyChosenSkin(Form& window, SkinFramework& skin, std::wstring_view name);
// Gives the window the look of that skin file.
void ApplySkinFile(Form& window, SkinFramework& skin, const std::wstring& path);

}  // namespace tellurane
