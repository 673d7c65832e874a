#pragma once
// The skin component of the clock window: it reads the skin file (docs/skins.md) and hands the look
// to the window it is applied to. Its members are the ones the skin routine calls, in its order:
//   LoadSkin      reads and checks the file; a file that cannot be read or has a bad value is an
//                 AppError naming the file, the line and what is wrong, and nothing of it is kept
//   ApplyOptions  bit 0 lets the skin change the window itself: frame, opacity, corners, title bar
//   AutoApplyNewWindows  lets it change colours (face text, plate, window background)
//   AutoApplyNewThreads  lets it follow Windows' dark mode with its [Dark] keys
//   ApplyWindow   gives the window its look
// A skin never changes a stored setting: the text size and a colour the user chose always win.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "logic/skin_file.h"

namespace tellurane {

// What the window is given: the look to show (nullptr: the layout's own) and what it may change.
struct SkinGrant {
    bool windowKeys = false;
    bool colorKeys = false;
};

class SkinFramework {
public:
    virtual ~SkinFramework() = default;

    virtual void LoadSkin(std::wstring_view skinFile, std::wstring_view section);
    virtual std::int32_t ApplyOptions() const { return applyOptions_; }
    virtual void SetApplyOptions(std::int32_t options) { applyOptions_ = options; }
    virtual void SetAutoApplyNewWindows(bool on) { autoApplyNewWindows_ = on; }
    virtual void SetAutoApplyNewThreads(bool on) { autoApplyNewThreads_ = on; }
    virtual void ApplyWindow(HWND window);

    // The window's side: shows a look, or the layout's own look for nullptr.
    std::function<void(const SkinLook* look, SkinGrant grant)> showLook;

    bool Loaded() const noexcept { return skin_.has_value(); }
    // Shows the look again for the mode Windows' apps are in now (after a mode switch).
    void Reapply();
    // Back to the layout's look.
    void Unload();

private:
    std::optional<Skin> skin_;
    std::int32_t applyOptions_ = 0;
    bool autoApplyNewWindows_ = false;
    bool autoApplyNewThreads_ = false;
    bool applied_ = false;
};

// Reads a skin file, at most one byte past the size limit. AppError when it cannot be read.
std::string ReadSkinFileBytes(const std::wstring& path);
// Windows' own switch for apps: HKCU ...\Themes\Personalize, AppsUseLightTheme 0 means dark.
bool AppsUseDarkMode() noexcept;
// What the box says about a skin file that cannot be used: its folder and name ("x\\o.cjs").
std::wstring SkinFileLabel(std::wstring_view path);

}  // namespace tellurane
