#include "settings/reg_stuff.h"

#include "core/handles.h"
#include "core/main_module.h"
#include "core/number_text.h"
#include "core/paths.h"

namespace tellurane {
namespace {

constexpr wchar_t kUserRunSubKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

namespace RegStuff {

std::wstring RunEntryData(std::wstring_view folder, std::wstring_view fileName) {
    std::wstring path(folder);
    if (path.empty() || path.back() != L'\\') path += L'\\';
    path += fileName;
    return L"\"" + path + L"\"";
}

void AddRunEntry(std::wstring_view fileName, std::wstring_view folder) {
    const std::wstring data = RunEntryData(folder, fileName);
    if (SaveRegistryValue(HKEY_LOCAL_MACHINE, kRunSubKey, fileName, data, REG_SZ)) {
        // One entry only, or the program would start twice at logon.
        DeleteRegistryValue(HKEY_CURRENT_USER, kUserRunSubKey, fileName);
        return;
    }
    SaveRegistryValue(HKEY_CURRENT_USER, kUserRunSubKey, fileName, data, REG_SZ);
}

void RemoveRunEntry(std::wstring_view fileName) {
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kRunSubKey, fileName);
    DeleteRegistryValue(HKEY_CURRENT_USER, kUserRunSubKey, fileName);
}

bool SaveRegistryValue(HKEY root, std::wstring_view subKey, std::wstring_view name, const RegistryValue& value,
                       DWORD type) {
    UniqueKey key;
    const std::wstring path(subKey);
    if (RegOpenKeyExW(root, path.c_str(), 0, kRunKeyAccess, key.put()) != ERROR_SUCCESS) return false;
    return SetRegistryValue(key.get(), name, type, value) == ERROR_SUCCESS;
}

LONG SetRegistryValue(HKEY key, std::wstring_view name, DWORD type, const RegistryValue& value) {
    const std::wstring valueName(name);
    if (type == REG_SZ) {
        const std::wstring text = std::holds_alternative<std::wstring>(value)
                                      ? std::get<std::wstring>(value)
                                      : IntegerToText(std::get<std::int32_t>(value));
        return RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    if (type == REG_DWORD) {
        const DWORD number = std::holds_alternative<std::int32_t>(value)
                                 ? static_cast<DWORD>(std::get<std::int32_t>(value))
                                 : static_cast<DWORD>(std::wcstol(std::get<std::wstring>(value).c_str(), nullptr, 10));
        return RegSetValueExW(key, valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                              sizeof number);
    }
    return 0;
}

void DeleteRegistryValue(HKEY root, std::wstring_view subKey, std::wstring_view name) {
    UniqueKey key;
    const std::wstring path(subKey);
    if (RegOpenKeyExW(root, path.c_str(), 0, kRunKeyAccess, key.put()) != ERROR_SUCCESS) return;
    const std::wstring valueName(name);
    RegDeleteValueW(key.get(), valueName.c_str());
}

}  // namespace RegStuff

namespace modStartUp {

// The entry is named after, and points at, this very program: never whatever executable
// happens to share its folder.
void AddToStartUp() {
    const std::wstring exe = ProgramPath();
    if (exe.empty()) return;
    RegStuff::AddRunEntry(FileNameOf(exe), FolderOf(exe));
}

void RemoveFromStartUp() {
    const std::wstring exe = ProgramPath();
    if (exe.empty()) return;
    RegStuff::RemoveRunEntry(FileNameOf(exe));
}

}  // namespace modStartUp
}  // namespace tellurane
