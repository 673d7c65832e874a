#pragma once
// The skin component of the clock window. There is no skin format yet, so every member does
// nothing; the skin routine already calls them in the order a real skin engine needs.

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace tellurane {

class SkinFramework {
public:
    virtual ~SkinFramework() = default;

    virtual void LoadSkin(std::wstring_view /*skinFile*/, std::wstring_view /*section*/) {}
    virtual std::int32_t ApplyOptions() const { return applyOptions_; }
    virtual void SetApplyOptions(std::int32_t options) { applyOptions_ = options; }
    virtual void SetAutoApplyNewWindows(bool on) { autoApplyNewWindows_ = on; }
    virtual void SetAutoApplyNewThreads(bool on) { autoApplyNewThreads_ = on; }
    virtual void ApplyWindow(HWND /*window*/) {}

private:
    std::int32_t applyOptions_ = 0;
    bool autoApplyNewWindows_ = false;
    bool autoApplyNewThreads_ = false;
};

}  // namespace tellurane
