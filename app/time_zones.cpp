#include "app/time_zones.h"

#include <windows.h>

#include <map>
#include <memory>

#include "win32/handles.h"
#include "win32/system_library.h"

namespace tellurane {
namespace {

constexpr wchar_t kZonesKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

// A zone's rules as the registry keeps them ("TZI").
struct RegistryZoneRules {
    LONG bias, standardBias, daylightBias;
    SYSTEMTIME standardDate, daylightDate;
};

void CopyName(WCHAR (&target)[32], HKEY zones, const wchar_t* key, const wchar_t* value) {
    DWORD size = sizeof target;
    if (RegGetValueW(zones, key, value, RRF_RT_REG_SZ, nullptr, target, &size) != ERROR_SUCCESS) target[0] = L'\0';
}

// The index-th zone from Windows' documented zone data in the registry, as Windows 7 keeps it.
DWORD RegistryZone(DWORD index, DYNAMIC_TIME_ZONE_INFORMATION* zone) {
    UniqueKey zones;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kZonesKey, 0, KEY_READ, zones.put()) != ERROR_SUCCESS) {
        return ERROR_NO_MORE_ITEMS;
    }
    DWORD length = ARRAYSIZE(zone->TimeZoneKeyName);
    const LSTATUS status = RegEnumKeyExW(zones.get(), index, zone->TimeZoneKeyName, &length, nullptr, nullptr, nullptr,
                                         nullptr);
    if (status == ERROR_MORE_DATA) zone->TimeZoneKeyName[0] = L'\0';  // no zone of Windows': passed over
    if (status != ERROR_SUCCESS) return status == ERROR_MORE_DATA ? ERROR_SUCCESS : status;
    RegistryZoneRules rules{};
    DWORD size = sizeof rules;
    if (RegGetValueW(zones.get(), zone->TimeZoneKeyName, L"TZI", RRF_RT_REG_BINARY, nullptr, &rules, &size) ==
            ERROR_SUCCESS &&
        size == sizeof rules) {
        zone->Bias = rules.bias;
        zone->StandardBias = rules.standardBias;
        zone->DaylightBias = rules.daylightBias;
        zone->StandardDate = rules.standardDate;
        zone->DaylightDate = rules.daylightDate;
    }
    CopyName(zone->StandardName, zones.get(), zone->TimeZoneKeyName, L"Std");
    CopyName(zone->DaylightName, zones.get(), zone->TimeZoneKeyName, L"Dlt");
    return ERROR_SUCCESS;
}

// In advapi32 from Windows 8 on (MinGW's import library does not name it); before, the registry.
DWORD EnumZones(DWORD index, DYNAMIC_TIME_ZONE_INFORMATION* zone) {
    using Fn = DWORD(WINAPI*)(DWORD, DYNAMIC_TIME_ZONE_INFORMATION*);
    static const Fn enumerate = SystemFunction<Fn>(L"advapi32.dll", "EnumDynamicTimeZoneInformation");
    return enumerate ? enumerate(index, zone) : RegistryZone(index, zone);
}

using ZoneEnumerator = DWORD (*)(DWORD, DYNAMIC_TIME_ZONE_INFORMATION*);

ZoneDate FromSystemTime(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
            time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
}

ZoneRule FromWindows(const TIME_ZONE_INFORMATION& zone) {
    return {static_cast<int>(zone.Bias), static_cast<int>(zone.StandardBias), static_cast<int>(zone.DaylightBias),
            FromSystemTime(zone.StandardDate), FromSystemTime(zone.DaylightDate)};
}

bool FindZone(const std::wstring& key, DYNAMIC_TIME_ZONE_INFORMATION& found) {
    for (DWORD index = 0;; ++index) {
        DYNAMIC_TIME_ZONE_INFORMATION zone{};
        if (EnumZones(index, &zone) != ERROR_SUCCESS) return false;
        if (CompareStringOrdinal(zone.TimeZoneKeyName, -1, key.c_str(), -1, TRUE) == CSTR_EQUAL) {
            found = zone;
            return true;
        }
    }
}

std::vector<ZoneChoice> ListZones(ZoneEnumerator enumerate) {
    std::vector<ZoneChoice> zones;
    for (DWORD index = 0;; ++index) {
        DYNAMIC_TIME_ZONE_INFORMATION zone{};
        if (enumerate(index, &zone) != ERROR_SUCCESS) break;
        if (zone.TimeZoneKeyName[0] == L'\0') continue;
        DWORD size = 0;
        std::wstring display;
        // The display name is kept in the zone's key; the structure holds only the standard name.
        const std::wstring path = std::wstring(kZonesKey) + L"\\" + zone.TimeZoneKeyName;
        if (RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), L"Display", RRF_RT_REG_SZ, nullptr, nullptr, &size) ==
                ERROR_SUCCESS &&
            size > sizeof(wchar_t)) {
            display.resize(size / sizeof(wchar_t));
            if (RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), L"Display", RRF_RT_REG_SZ, nullptr, display.data(),
                             &size) != ERROR_SUCCESS) {
                display.clear();
            }
            display.resize(wcslen(display.c_str()));
        }
        zones.push_back({zone.TimeZoneKeyName, display.empty() ? std::wstring(zone.TimeZoneKeyName) : display,
                         static_cast<int>(zone.Bias)});
    }
    return zones;
}

}  // namespace

std::vector<ZoneChoice> WindowsTimeZones() { return ListZones(&EnumZones); }

std::vector<ZoneChoice> RegistryTimeZones() { return ListZones(&RegistryZone); }

std::wstring CityOfZone(const ZoneChoice& zone) {
    if (zone.key.empty()) return L"";
    if (zone.key == kUtcZone) return kUtcZone;
    return CityOfDisplayName(zone.displayName);
}

std::optional<ZoneRules> RulesForZone(const std::wstring& key) {
    if (key == kUtcZone) return ZoneRules([](int) { return ZoneRule{}; });
    auto zone = std::make_shared<DYNAMIC_TIME_ZONE_INFORMATION>();
    const bool local = key.empty();
    if (!local && !FindZone(key, *zone)) return std::nullopt;
    // Read once per year: Windows looks the rules up in the registry each time.
    auto years = std::make_shared<std::map<int, ZoneRule>>();
    return ZoneRules([zone, years, local](int year) {
        const auto known = years->find(year);
        if (known != years->end()) return known->second;
        TIME_ZONE_INFORMATION rules{};
        ZoneRule rule;
        if (GetTimeZoneInformationForYear(static_cast<USHORT>(year), local ? nullptr : zone.get(), &rules)) {
            rule = FromWindows(rules);
        }
        years->emplace(year, rule);
        return rule;
    });
}

}  // namespace tellurane
