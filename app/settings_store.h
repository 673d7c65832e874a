#pragma once
// The per-user settings: one REG_SZ value per key under HKEY_CURRENT_USER\Software\<application>\<section>,
// or, for a portable copy, the same values in the settings file beside the program, a section per key.
// Read and written at the moment of use, except what the clock reads each second (CachedSetting): that
// is read again only after Windows reports a change, which anyone may have made.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_file.h"
#include "logic/number_text.h"
#include "logic/setting_keys.h"
#include "win32/change_watch.h"
#include "win32/handles.h"

namespace tellurane {

class SettingsStore {
public:
    SettingsStore(std::wstring_view application = L"Marrowick", std::wstring_view section = L"Tellurane");
    // The program's own: in the file when one is given, else in the registry.
    explicit SettingsStore(std::shared_ptr<SettingsFile> file);

    // The store of a key below this one's (a clock's Clocks\N), kept up to date by this one's watch.
    SettingsStore Below(std::wstring_view subPath) const;

    // The stored text, or the default turned into text as the program stores numbers.
    // A missing key is not an error and creates nothing.
    std::wstring ReadSetting(std::wstring_view key, double defaultValue) const;

    // Creates what is missing and replaces any earlier value. Returns false when the registry refused.
    bool WriteSetting(std::wstring_view key, std::wstring_view text) const;

    // Through a value's declaration: the stored text, or what a missing one reads as (FallbackText).
    std::wstring Read(const Setting& setting) const;
    // The number it holds (StoredNumber: AppError for a bad one); a missing one reads as missing, else as
    // the declaration's fallback.
    double Number(const Setting& setting, std::optional<double> missing = std::nullopt) const;
    // A number, written as the declaration says.
    bool Write(const Setting& setting, double value) const;

    // Whether the key holds a value at all (a skin's colour gives way only to one the user chose).
    bool HasSetting(std::wstring_view key) const;
    // The stored text; nothing when there is no such value.
    std::optional<std::wstring> Stored(std::wstring_view key) const { return ReadStored(key); }
    // The N of the keys under\N below this one, sorted: whole positive numbers only; any other name is
    // none of the program's.
    std::vector<int> NumberedKeys(std::wstring_view under) const;
    // Deletes the key below and everything in it; false when Windows refused.
    bool DeleteBelow(std::wstring_view subPath) const;
    // Deletes this store's own key with everything in it; false when it is still there.
    bool DeleteAll() const;
    // Whether the settings live in the file beside the program.
    bool InFile() const noexcept { return file_ != nullptr; }

    // ReadSetting's answer, kept until the settings change: a write through this store, or a change that
    // Windows reports once WatchChanges has started. Without a working watch every call reads.
    std::wstring CachedSetting(std::wstring_view key, double defaultValue) const;
    // The same for a text: empty when there is none.
    std::wstring CachedText(std::wstring_view key) const;

    // From now on learns of every change under the settings key (and the key's deletion and making)
    // from Windows, in the message loop; onChange runs after each.
    void WatchChanges(std::function<void()> onChange = {});
    // Forgets what CachedSetting kept: after a system's modal loop (a message box's), in which the watch
    // could not run, anything may have changed.
    void ForgetCached() const noexcept { cache_.clear(); }
    bool Watching() const noexcept {
        return (watch_ && watch_->Active()) || (folderWatch_ && folderWatch_->Active() && ownChanges_->Active());
    }
    // Keeps CachedSetting's texts by another store's watch, one whose key holds this one's (the clocks
    // after the first, under the settings key): one watch for every clock.
    void FollowChangesOf(const SettingsStore& watcher) noexcept { watcher_ = &watcher; }

    // How many values this store has read from the registry: the clock's idle cost, for its tests.
    std::uint64_t Reads() const noexcept { return reads_; }

    const std::wstring& KeyPath() const noexcept { return keyPath_; }

private:
    struct FullPath {
        std::wstring keyPath;
        std::wstring subPath;
        std::shared_ptr<SettingsFile> file;
    };
    explicit SettingsStore(FullPath path)
        : keyPath_(std::move(path.keyPath)), subPath_(std::move(path.subPath)), file_(std::move(path.file)) {}

    // In the file: the key's section ("Tellurane" for the settings key itself, else the path below it).
    std::wstring Section() const { return subPath_.empty() ? std::wstring(L"Tellurane") : subPath_; }
    std::wstring SubPath(std::wstring_view below) const;

    std::optional<std::wstring> ReadStored(std::wstring_view key) const;
    std::optional<std::wstring> CachedStored(std::wstring_view key) const;

    std::wstring keyPath_;
    std::wstring subPath_;  // below the settings key: "" for the key itself
    std::shared_ptr<SettingsFile> file_;
    mutable UniqueKey openKey_;
    mutable std::map<std::wstring, std::optional<std::wstring>, std::less<>> cache_;
    mutable std::uint64_t reads_ = 0;
    const SettingsStore* watcher_ = nullptr;  // nullptr: its own
    std::uint64_t changes_ = 0;               // reports of the watch so far
    mutable std::uint64_t changesSeen_ = 0;   // by the cache
    std::unique_ptr<RegistryWatch> watch_;
    std::unique_ptr<FolderWatch> folderWatch_;
    std::shared_ptr<LoopSignal> ownChanges_;  // the file has no watch of Windows' for them
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
// A stored switch as the store keeps it (CachedText); the declaration's fallback when there is none or it is
// no number.
bool StoredSwitchOr(const SettingsStore& store, const Setting& setting);

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
