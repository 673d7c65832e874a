#pragma once
// The Run-key entry that starts the program at logon, and the registry operations it is made of.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace tellurane {

inline constexpr wchar_t kRunSubKey[] = L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
inline constexpr wchar_t kUserRunSubKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Where Task Manager's Startup page marks entries as disabled: a value of the entry's name.
inline constexpr wchar_t kUserStartupApprovedSubKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr wchar_t kMachineStartupApprovedSubKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";

// What could not be done without administrator rights; the user is told in a plain box.
inline constexpr std::wstring_view kMachineEntryNotRemoved =
    L"Tellurane could not remove its start-up entry for all users of this computer, so it will still start "
    L"when you log on.\r\n\r\nTo remove it, run Tellurane once as administrator (right-click it, then "
    L"\"Run as administrator\") and clear \"Run at Windows Startup\" there.";
inline constexpr std::wstring_view kMachineEntryStillDisabled =
    L"Tellurane starts when you log on through an entry for all users of this computer, which the Startup "
    L"page of Task Manager has turned off.\r\n\r\nTo turn it on, use that page, or run Tellurane once as "
    L"administrator and tick \"Run at Windows Startup\" there.";

using RegistryValue = std::variant<std::wstring, std::int32_t>;

namespace RegStuff {

// The program's path quoted, as a Run value wants it: a folder with blanks cannot start anything else.
std::wstring RunEntryData(std::wstring_view folder, std::wstring_view fileName);

// Writes the entry under the machine-wide Run key, or under the user's when that one is closed to
// us and holds no entry of ours already: never both, or the program would start twice at logon.
// A mark that Task Manager set to disable the entry is lifted. Returns what the user must be told,
// or an empty text.
std::wstring AddRunEntry(std::wstring_view fileName, std::wstring_view folder);
// Deletes the entry, and its Task Manager mark, from both Run keys; the same kind of return.
std::wstring RemoveRunEntry(std::wstring_view fileName);

// Opens the sub-key, writes one value and closes it again; false when that did not succeed.
bool SaveRegistryValue(HKEY root, std::wstring_view subKey, std::wstring_view name, const RegistryValue& value,
                       DWORD type, REGSAM view = 0);
// Writes one value into an open key; types other than REG_SZ and REG_DWORD write nothing and give 0.
// A text for a 32-bit number converts as every stored number does: AppError when it is none.
LONG SetRegistryValue(HKEY key, std::wstring_view name, DWORD type, const RegistryValue& value);
// True when the value is gone afterwards (or never was there).
bool DeleteRegistryValue(HKEY root, std::wstring_view subKey, std::wstring_view name, REGSAM view = 0);
// Looks, read-only, for a value.
bool RegistryValueExists(HKEY root, std::wstring_view subKey, std::wstring_view name, REGSAM view = 0);

}  // namespace RegStuff

namespace modStartUp {

// Adds or removes the Run entry of the running executable. What needs administrator rights and
// could not be done is said in a plain box; the settings window has already saved the choice.
void AddToStartUp();
void RemoveFromStartUp();

}  // namespace modStartUp
}  // namespace tellurane
