#include "app/settings/reg_stuff.h"

#include "app/main_module.h"
#include "app/settings_store.h"
#include "logic/number_text.h"
#include "logic/paths.h"
#include "logic/texts.h"
#include "win32/handles.h"
#include "win32/path_security.h"

#include <utility>

namespace tellurane {
namespace RegStuff {
namespace {

ProgramPathCheck othersCanChange = &OthersCanChangeProgram;

bool CanWriteKey(HKEY root, const wchar_t* subKey) {
    UniqueKey key;
    return RegOpenKeyExW(root, subKey, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS;
}

}  // namespace

ProgramPathCheck SetOthersCanChangeCheck(ProgramPathCheck check) noexcept {
    return std::exchange(othersCanChange, check);
}

std::wstring RunEntryData(std::wstring_view folder, std::wstring_view fileName) {
    std::wstring path(folder);
    if (path.empty() || path.back() != L'\\') path += L'\\';
    path += fileName;
    return L"\"" + path + L"\"";
}

std::wstring PortableRunEntryName(std::wstring_view fileName, std::wstring_view folder) {
    std::wstring_view place = folder;
    if (place.size() > 3 && place.back() == L'\\') place.remove_suffix(1);  // C:\ keeps its separator
    std::wstring name(fileName);
    name += L" (";
    name += place;
    name += L')';
    return name;
}

std::wstring AddRunEntry(std::wstring_view fileName, std::wstring_view folder, bool userOnly) {
    const std::wstring data = RunEntryData(folder, fileName);
    if (userOnly) {
        const std::wstring name = PortableRunEntryName(fileName, folder);
        DeleteRegistryValue(HKEY_CURRENT_USER, kUserStartupApprovedSubKey, name);
        return SaveRegistryValue(HKEY_CURRENT_USER, kUserRunSubKey, name, data, REG_SZ) ? std::wstring()
                                                                                        : Tr(kRunEntryNotAdded);
    }
    // Task Manager's "disabled" marks: under the user's key for the user's entry, under the machine's
    // 64-bit view for the machine-wide entry that a 32-bit program writes.
    DeleteRegistryValue(HKEY_CURRENT_USER, kUserStartupApprovedSubKey, fileName);
    if (CanWriteKey(HKEY_LOCAL_MACHINE, kRunSubKey) && othersCanChange(InFolder(folder, fileName))) {
        // Run as administrator from a per-user folder: the user's own entry, and none for all users.
        // Said once, when it changes something, not at every opening of the settings.
        const bool machineEntry = RegistryValueExists(HKEY_LOCAL_MACHINE, kRunSubKey, fileName);
        const bool userEntry = RegistryValueExists(HKEY_CURRENT_USER, kUserRunSubKey, fileName);
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, kMachineStartupApprovedSubKey, fileName, KEY_WOW64_64KEY);
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, kRunSubKey, fileName);
        if (!SaveRegistryValue(HKEY_CURRENT_USER, kUserRunSubKey, fileName, data, REG_SZ)) {
            return Tr(kRunEntryNotAdded);
        }
        return machineEntry || !userEntry ? Tr(kMachineEntryRefused) : std::wstring();
    }
    if (SaveRegistryValue(HKEY_LOCAL_MACHINE, kRunSubKey, fileName, data, REG_SZ)) {
        DeleteRegistryValue(HKEY_CURRENT_USER, kUserRunSubKey, fileName);
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, kMachineStartupApprovedSubKey, fileName, KEY_WOW64_64KEY);
        return {};
    }
    if (RegistryValueExists(HKEY_LOCAL_MACHINE, kRunSubKey, fileName)) {
        // A copy once run as administrator put the entry there; it starts the program already.
        DeleteRegistryValue(HKEY_CURRENT_USER, kUserRunSubKey, fileName);
        if (!DeleteRegistryValue(HKEY_LOCAL_MACHINE, kMachineStartupApprovedSubKey, fileName, KEY_WOW64_64KEY)) {
            return Tr(kMachineEntryStillDisabled);
        }
        return {};
    }
    if (!SaveRegistryValue(HKEY_CURRENT_USER, kUserRunSubKey, fileName, data, REG_SZ)) {
        return Tr(kRunEntryNotAdded);
    }
    return {};
}

std::wstring RemoveRunEntry(std::wstring_view fileName, bool userOnly, std::wstring_view folder) {
    if (userOnly) {
        const std::wstring name = PortableRunEntryName(fileName, folder);
        DeleteRegistryValue(HKEY_CURRENT_USER, kUserRunSubKey, name);
        DeleteRegistryValue(HKEY_CURRENT_USER, kUserStartupApprovedSubKey, name);
        return {};
    }
    DeleteRegistryValue(HKEY_CURRENT_USER, kUserRunSubKey, fileName);
    DeleteRegistryValue(HKEY_CURRENT_USER, kUserStartupApprovedSubKey, fileName);
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kMachineStartupApprovedSubKey, fileName, KEY_WOW64_64KEY);
    if (!DeleteRegistryValue(HKEY_LOCAL_MACHINE, kRunSubKey, fileName)) return Tr(kMachineEntryNotRemoved);
    return {};
}

bool SaveRegistryValue(HKEY root, std::wstring_view subKey, std::wstring_view name, const RegistryValue& value,
                       DWORD type, REGSAM view) {
    UniqueKey key;
    const std::wstring path(subKey);
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE | view, key.put()) != ERROR_SUCCESS) return false;
    return SetRegistryValue(key.get(), name, type, value) == ERROR_SUCCESS;
}

LONG SetRegistryValue(HKEY key, std::wstring_view name, DWORD type, const RegistryValue& value) {
    const std::wstring valueName(name);
    if (type == REG_SZ) {
        const std::wstring text = std::holds_alternative<std::wstring>(value)
                                      ? std::get<std::wstring>(value)
                                      : IntegerToText(std::get<std::int32_t>(value));
        return RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1) * DWORD{sizeof(wchar_t)});
    }
    if (type == REG_DWORD) {
        const auto number = static_cast<DWORD>(std::holds_alternative<std::int32_t>(value)
                                                   ? std::get<std::int32_t>(value)
                                                   : StoredInteger32(std::get<std::wstring>(value)));
        return RegSetValueExW(key, valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                              sizeof number);
    }
    return 0;
}

bool DeleteRegistryValue(HKEY root, std::wstring_view subKey, std::wstring_view name, REGSAM view) {
    if (!RegistryValueExists(root, subKey, name, view)) return true;
    UniqueKey key;
    const std::wstring path(subKey);
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE | view, key.put()) != ERROR_SUCCESS) return false;
    const std::wstring valueName(name);
    const LSTATUS status = RegDeleteValueW(key.get(), valueName.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool RegistryValueExists(HKEY root, std::wstring_view subKey, std::wstring_view name, REGSAM view) {
    UniqueKey key;
    const std::wstring path(subKey);
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | view, key.put()) != ERROR_SUCCESS) return false;
    const std::wstring valueName(name);
    return RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace RegStuff

namespace modStartUp {

// The entry is named after, and points at, this very program: never whatever executable
// happens to share its folder.
bool AddToStartUp(bool userOnly) {
    const std::wstring exe = ProgramPath();
    if (exe.empty()) return false;
    const std::wstring problem = RegStuff::AddRunEntry(FileNameOf(exe), FolderOf(exe), userOnly);
    if (!problem.empty()) ShowPlainError(problem);
    return problem != Tr(kRunEntryNotAdded);
}

void RemoveFromStartUp(bool userOnly) {
    const std::wstring exe = ProgramPath();
    if (exe.empty()) return;
    const std::wstring problem = RegStuff::RemoveRunEntry(FileNameOf(exe), userOnly, FolderOf(exe));
    if (!problem.empty()) ShowPlainError(problem);
}

}  // namespace modStartUp
}  // namespace tellurane
