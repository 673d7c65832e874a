#include "win32/skin.h"

#include "logic/app_error.h"
#include "logic/texts.h"
#include "win32/handles.h"

namespace tellurane {

std::wstring SkinFileLabel(std::wstring_view path) {
    // The folder and the name: "x\\o.cjs", "skins\\glass.cjs".
    const std::size_t name = path.rfind(L'\\');
    const std::size_t folder = name == std::wstring_view::npos || name == 0 ? name : path.rfind(L'\\', name - 1);
    return std::wstring(folder == std::wstring_view::npos ? path : path.substr(folder + 1));
}

std::string ReadSkinFileBytes(const std::wstring& path) {
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        throw AppError(Tr(IDS_SKIN_CANNOT_READ, {SkinFileLabel(path)}));
    }
    // One byte past the limit is enough to tell that the file is too large.
    std::string bytes(kMaxSkinBytes + 1, '\0');
    DWORD total = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(bytes.size()) - total, &read, nullptr)) {
            throw AppError(Tr(IDS_SKIN_CANNOT_READ, {SkinFileLabel(path)}));
        }
        if (read == 0) break;
        total += read;
        if (total == bytes.size()) break;
    }
    bytes.resize(total);
    return bytes;
}

bool AppsUseDarkMode() noexcept {
    DWORD light = 1, size = sizeof light;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER,
                                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                                        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
    return status == ERROR_SUCCESS && light == 0;
}

void SkinFramework::LoadSkin(std::wstring_view skinFile, std::wstring_view) {
    // A file that cannot be used changes nothing: the last good skin, if any, stays.
    auto parsed = ParseSkin(ReadSkinFileBytes(std::wstring(skinFile)));
    if (const auto* error = std::get_if<SkinError>(&parsed))
        throw AppError(SkinErrorText(SkinFileLabel(skinFile), *error));
    skin_ = std::move(std::get<Skin>(parsed));
}

void SkinFramework::ApplyWindow(HWND) {
    applied_ = true;
    Reapply();
}

void SkinFramework::Reapply() {
    if (!applied_ || !showLook) return;
    if (!skin_) {
        showLook(nullptr, {});
        return;
    }
    const SkinLook look = skin_->LookFor(autoApplyNewThreads_ && AppsUseDarkMode());
    showLook(&look, {(applyOptions_ & 1) != 0, autoApplyNewWindows_});
}

void SkinFramework::Unload() {
    skin_.reset();
    Reapply();
}

}  // namespace tellurane
