#pragma once
// The Run-key entry that starts the program at logon, and the registry operations it is made of.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace tellurane {

inline constexpr wchar_t kRunSubKey[] = L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
inline constexpr REGSAM kRunKeyAccess = 0x3F;  // the six key rights, without delete or write-owner

using RegistryValue = std::variant<std::wstring, std::int32_t>;

namespace RegStuff {

// The program's path quoted, as a Run value wants it: a folder with blanks cannot start anything else.
std::wstring RunEntryData(std::wstring_view folder, std::wstring_view fileName);

// Writes the entry under the machine-wide Run key, or under the user's when that one is closed to us.
void AddRunEntry(std::wstring_view fileName, std::wstring_view folder);
// Deletes the entry from both Run keys.
void RemoveRunEntry(std::wstring_view fileName);

// Opens the sub-key, writes one value and closes it again; false when the key could not be opened.
bool SaveRegistryValue(HKEY root, std::wstring_view subKey, std::wstring_view name, const RegistryValue& value,
                       DWORD type);
// Writes one value into an open key; types other than REG_SZ and REG_DWORD write nothing and give 0.
LONG SetRegistryValue(HKEY key, std::wstring_view name, DWORD type, const RegistryValue& value);
void DeleteRegistryValue(HKEY root, std::wstring_view subKey, std::wstring_view name);

}  // namespace RegStuff

namespace modStartUp {

// Adds or removes the Run entry of the running executable. Nothing is reported: the settings
// window has already saved the user's choice.
void AddToStartUp();
void RemoveFromStartUp();

}  // namespace modStartUp
}  // namespace tellurane
