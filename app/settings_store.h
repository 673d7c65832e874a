#pragma once
// The per-user settings: one REG_SZ value per key under HKEY_CURRENT_USER\Software\<application>\<section>.
// Read and written at the moment of use; nothing is cached, so a change shows at the next read.

#include <cstdint>
#include <string>
#include <string_view>

#include "logic/number_text.h"
#include "win32/handles.h"

namespace tellurane {

class SettingsStore {
public:
    SettingsStore(std::wstring_view application = L"Marrowick", std::wstring_view section = L"Tellurane");

    // The stored text, or the default turned into text as the program stores numbers.
    // A missing key is not an error and creates nothing.
    std::wstring ReadSetting(std::wstring_view key, double defaultValue) const;

    // Creates what is missing and replaces any earlier value. Returns false when the registry refused.
    bool WriteSetting(std::wstring_view key, std::wstring_view text) const;

    // Whether the key holds a value at all (a skin's colour gives way only to one the user chose).
    bool HasSetting(std::wstring_view key) const;

    const std::wstring& KeyPath() const noexcept { return keyPath_; }

private:
    std::wstring keyPath_;
    mutable UniqueKey openKey_;
};

// The user's number format, read from the regional settings at each use.
NumberFormat UserNumberFormat();

// Conversions of stored texts under the user's number format; they throw AppError on bad text.
std::int16_t StoredInteger16(std::wstring_view text);
std::int32_t StoredInteger32(std::wstring_view text);
float StoredSingle(std::wstring_view text);
bool StoredIsNumeric(std::wstring_view text);
// A switch is on only when its text converts to the 16-bit integer 1.
bool StoredSwitchIsOn(std::wstring_view text);

// A single-precision number as the program stores it.
std::wstring SingleToStoredText(double value);
// Window geometry: whole twips in plain digits, the same text under any regional settings.
std::wstring GeometryToStoredText(double twips);
// Geometry and the text size, read whichever regional settings wrote them: the invariant form first,
// then the user's (ParseStoredNumber).
float StoredDecimal(std::wstring_view text);
// The text size as typed in the settings and as that box shows the stored text (TypedToStoredText):
// a size written under one regional setting reads back alike under every other.
std::wstring SizeToStoredText(std::wstring_view typed);
std::wstring StoredSizeToTyped(std::wstring_view stored);

}  // namespace tellurane
