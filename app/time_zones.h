#pragma once
// Windows' own time zones: the list Date and Time settings shows, and each zone's rules for a year
// from Windows' dynamic time-zone data, read once per year and kept.

#include <optional>
#include <string>
#include <vector>

#include "logic/clock/time_zone.h"

namespace tellurane {

inline constexpr wchar_t kUtcZone[] = L"UTC";

struct ZoneChoice {
    std::wstring key;          // the registry key name, as stored: "Tokyo Standard Time"
    std::wstring displayName;  // "(UTC+09:00) Osaka, Sapporo, Tokyo"
    int bias = 0;              // minutes west of UTC, in standard time
};

// The label a clock in that zone starts with: none for local time.
std::wstring CityOfZone(const ZoneChoice& zone);

std::vector<ZoneChoice> WindowsTimeZones();
// The same list from Windows' zone data in the registry, as Windows 7 (which lacks the call that
// lists them) is read.
std::vector<ZoneChoice> RegistryTimeZones();

// The rules for a stored zone: empty for the computer's own, "UTC", or a key name. Nothing for a key
// Windows does not know.
std::optional<ZoneRules> RulesForZone(const std::wstring& key);

}  // namespace tellurane
