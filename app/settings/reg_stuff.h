#pragma once
// The Run-key entry that starts the program at logon, and the registry operations it is made of.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "logic/texts.h"

namespace tellurane {

inline constexpr wchar_t kRunSubKey[] = L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
inline constexpr wchar_t kUserRunSubKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Where Task Manager's Startup page marks entries as disabled: a value of the entry's name.
inline constexpr wchar_t kUserStartupApprovedSubKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr wchar_t kMachineStartupApprovedSubKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";

// What could not be done without administrator rights; the user is told in a plain box.
inline constexpr TextId kMachineEntryNotRemoved = IDS_MACHINE_ENTRY_NOT_REMOVED;
inline constexpr TextId kMachineEntryStillDisabled = IDS_MACHINE_ENTRY_STILL_DISABLED;
inline constexpr TextId kMachineEntryRefused = IDS_MACHINE_ENTRY_UNSAFE_FOLDER;
inline constexpr TextId kRunEntryNotAdded = IDS_USER_ENTRY_REFUSED;

using RegistryValue = std::variant<std::wstring, std::int32_t>;

namespace RegStuff {

// The program's path quoted, as a Run value wants it: a folder with blanks cannot start anything else.
std::wstring RunEntryData(std::wstring_view folder, std::wstring_view fileName);

// Writes the entry under the machine-wide Run key, or under the user's when that one is closed to
// us and holds no entry of ours already: never both, or the program would start twice at logon.
// A program that others than the administrators could change never gets the machine-wide entry, as
// whoever changed it would run as every user who logs on. A mark that Task Manager set to disable the
// entry is lifted. Returns what the user must be told, or an empty text. A portable copy, whose settings
// stay in its folder, leaves the machine alone: userOnly writes the user's own entry and no other, under
// PortableRunEntryName.
std::wstring AddRunEntry(std::wstring_view fileName, std::wstring_view folder, bool userOnly = false);
// A portable copy's entry is named after its folder too ("Tellurane.exe (E:\Tools\Tellurane)"), so that it
// neither replaces nor removes the entry of an installed copy or of another portable one.
std::wstring PortableRunEntryName(std::wstring_view fileName, std::wstring_view folder);
// Whether users without administrator rights could change the program at this path; the real check
// reads the access lists of the file and its folders. Returns the check it replaces.
using ProgramPathCheck = bool (*)(const std::wstring& exePath);
ProgramPathCheck SetOthersCanChangeCheck(ProgramPathCheck check) noexcept;

// Deletes the entry, and its Task Manager mark, from both Run keys; the same kind of return. userOnly: the
// portable copy's own entry in folder, and no other.
std::wstring RemoveRunEntry(std::wstring_view fileName, bool userOnly = false, std::wstring_view folder = {});

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
// False when no entry starts the program at logon.
bool AddToStartUp(bool userOnly = false);
void RemoveFromStartUp(bool userOnly = false);

}  // namespace modStartUp
}  // namespace tellurane
