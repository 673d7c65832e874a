#include "app/settings_store.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "logic/app_error.h"
#include "win32/handles.h"
#include "win32/user_locale.h"

namespace tellurane {
namespace {

std::wstring DefaultText(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        return IntegerToText(static_cast<std::int64_t>(value));
    }
    return SingleToText(static_cast<float>(value), UserNumberFormat());
}

// Texts come back as stored; numbers stored by other programs as DWORD or QWORD read as their decimal text.
// The registry's own status is returned: ERROR_SUCCESS with a usable value, anything else without.
LSTATUS QueryText(HKEY key, const std::wstring& name, std::wstring& text) {
    std::vector<BYTE> data(256);
    DWORD type = 0;
    LSTATUS status = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 8 && status == ERROR_MORE_DATA; ++attempt) {
        auto size = static_cast<DWORD>(data.size());
        status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA) {
            data.resize(static_cast<std::size_t>(size) + sizeof(wchar_t));
        } else if (status == ERROR_SUCCESS) {
            data.resize(size);
        }
    }
    if (status != ERROR_SUCCESS) return status;
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            std::wstring value(data.size() / sizeof(wchar_t), L'\0');
            std::copy(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(value.size() * sizeof(wchar_t)),
                      reinterpret_cast<BYTE*>(value.data()));
            value.resize(std::wcslen(value.c_str()));  // a stored text ends at its first NUL
            text = std::move(value);
            return ERROR_SUCCESS;
        }
        case REG_DWORD:
            if (data.size() < sizeof(DWORD)) return ERROR_INVALID_DATA;
            text = std::to_wstring(*reinterpret_cast<const DWORD*>(data.data()));
            return ERROR_SUCCESS;
        case REG_QWORD:
            if (data.size() < sizeof(ULONGLONG)) return ERROR_INVALID_DATA;
            text = std::to_wstring(*reinterpret_cast<const ULONGLONG*>(data.data()));
            return ERROR_SUCCESS;
        default:
            return ERROR_INVALID_DATA;  // binary data is no setting of ours: the default applies
    }
}

// Whole positive numbers only: any other name below a key is none of the program's.
std::optional<int> KeyNumber(std::wstring_view name) {
    if (name.empty() || name.size() > 6 || name.front() == L'0' ||
        !std::all_of(name.begin(), name.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
        return std::nullopt;
    }
    return std::stoi(std::wstring(name));
}

}  // namespace

SettingsStore::SettingsStore(std::wstring_view application, std::wstring_view section)
    : keyPath_(L"Software\\" + std::wstring(application) + L"\\" + std::wstring(section)) {}

SettingsStore::SettingsStore(std::shared_ptr<SettingsFile> file) : SettingsStore() { file_ = std::move(file); }

std::wstring SettingsStore::SubPath(std::wstring_view below) const {
    return subPath_.empty() ? std::wstring(below) : subPath_ + L"\\" + std::wstring(below);
}

SettingsStore SettingsStore::Below(std::wstring_view subPath) const {
    SettingsStore below(FullPath{keyPath_ + L"\\" + std::wstring(subPath), SubPath(subPath), file_});
    below.FollowChangesOf(watcher_ ? *watcher_ : *this);
    return below;
}

std::wstring SettingsStore::ReadSetting(std::wstring_view key, double defaultValue) const {
    std::optional<std::wstring> text = ReadStored(key);
    return text ? std::move(*text) : DefaultText(defaultValue);
}

std::vector<int> SettingsStore::NumberedKeys(std::wstring_view under) const {
    std::vector<int> numbers;
    if (file_) {
        for (const std::wstring& child : file_->Children(SubPath(under))) {
            if (const auto number = KeyNumber(child)) numbers.push_back(*number);
        }
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }
    UniqueKey parent;
    const std::wstring path = keyPath_ + L"\\" + std::wstring(under);
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, parent.put()) != ERROR_SUCCESS) {
        return numbers;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(parent.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        if (const auto number = KeyNumber(std::wstring_view(name, length))) numbers.push_back(*number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

bool SettingsStore::DeleteBelow(std::wstring_view subPath) const {
    cache_.clear();
    if (file_) {
        file_->EraseTree(SubPath(subPath));
        return true;
    }
    const std::wstring path = keyPath_ + L"\\" + std::wstring(subPath);
    // The key itself goes with what it holds.
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool SettingsStore::DeleteAll() const {
    cache_.clear();
    if (file_) {
        file_->EraseTree(Section());
        return true;
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, keyPath_.c_str());  // its values and any key below
    RegDeleteKeyW(HKEY_CURRENT_USER, keyPath_.c_str());
    openKey_.reset();
    UniqueKey left;
    return RegOpenKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_QUERY_VALUE, left.put()) != ERROR_SUCCESS;
}

std::optional<std::wstring> SettingsStore::ReadStored(std::wstring_view key) const {
    if (file_) {
        ++reads_;
        const std::wstring* text = file_->Find(Section(), key);
        return text ? std::optional<std::wstring>(*text) : std::nullopt;
    }
    const std::wstring name(key);
    std::wstring text;
    // The key stays open between reads; the values are read afresh each time. A key deleted meanwhile
    // is opened again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        ++reads_;
        if (!openKey_ &&
            RegOpenKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_QUERY_VALUE, openKey_.put()) != ERROR_SUCCESS) {
            openKey_.reset();
            break;
        }
        const LSTATUS status = QueryText(openKey_.get(), name, text);
        if (status == ERROR_SUCCESS) return text;
        if (status != ERROR_KEY_DELETED) break;
        openKey_.reset();
    }
    return std::nullopt;
}

std::wstring SettingsStore::Read(const Setting& setting) const {
    std::optional<std::wstring> text = ReadStored(setting.name);
    return text ? std::move(*text) : FallbackText(setting, UserNumberFormat());
}

double SettingsStore::Number(const Setting& setting, std::optional<double> missing) const {
    const std::optional<std::wstring> text = ReadStored(setting.name);
    if (!text) return missing.value_or(setting.fallback.value_or(0));
    return StoredNumber(setting, *text, UserNumberFormat());
}

bool SettingsStore::Write(const Setting& setting, double value) const {
    return WriteSetting(setting.name, NumberToStored(setting, value));
}

std::wstring SettingsStore::CachedSetting(std::wstring_view key, double defaultValue) const {
    std::optional<std::wstring> text = CachedStored(key);
    return text ? std::move(*text) : DefaultText(defaultValue);
}

std::wstring SettingsStore::CachedText(std::wstring_view key) const { return CachedStored(key).value_or(L""); }

std::optional<std::wstring> SettingsStore::CachedStored(std::wstring_view key) const {
    const SettingsStore& watcher = watcher_ ? *watcher_ : *this;
    if (file_ || !watcher.Watching()) return ReadStored(key);  // a file's values are in memory already
    if (watcher.changes_ != changesSeen_) {
        cache_.clear();
        changesSeen_ = watcher.changes_;
    }
    const auto found = cache_.find(key);
    if (found != cache_.end()) return found->second;
    std::optional<std::wstring> text = ReadStored(key);
    cache_.insert_or_assign(std::wstring(key), text);
    return text;
}

void SettingsStore::WatchChanges(std::function<void()> onChange) {
    if (file_) {
        file_->TellProblems();
        auto changed = [this, onChange = std::move(onChange)] {
            cache_.clear();
            ++changes_;
            if (onChange) onChange();
        };
        ownChanges_ = std::make_shared<LoopSignal>(changed);
        file_->OnOwnChange([signal = std::weak_ptr<LoopSignal>(ownChanges_)] {
            if (const auto raised = signal.lock()) raised->Raise();
        });
        // Another file of the folder, or this program's own write, changes nothing.
        folderWatch_ = std::make_unique<FolderWatch>(file_->Folder(), [this, changed] {
            if (file_->Reload()) changed();
        });
        cache_.clear();
        return;
    }
    // The parent key too: a deleted settings key, and its making again, are changes of the parent.
    const std::wstring parent = keyPath_.substr(0, keyPath_.find_last_of(L'\\'));
    watch_ = std::make_unique<RegistryWatch>(HKEY_CURRENT_USER, parent, [this, onChange = std::move(onChange)] {
        cache_.clear();
        ++changes_;
        if (onChange) onChange();
    });
    cache_.clear();
}

bool SettingsStore::HasSetting(std::wstring_view key) const {
    if (file_) return file_->Find(Section(), key) != nullptr;
    const std::wstring name(key);
    return RegGetValueW(HKEY_CURRENT_USER, keyPath_.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool SettingsStore::WriteSetting(std::wstring_view key, std::wstring_view text) const {
    if (file_) {
        cache_.clear();
        file_->Set(Section(), key, text);
        return true;
    }
    UniqueKey opened;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, opened.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring name(key);
    const std::wstring value(text);
    cache_.clear();  // the watch reports it too, but the writer's own next read must see it at once
    const DWORD bytes = static_cast<DWORD>(value.size() + 1) * DWORD{sizeof(wchar_t)};
    return RegSetValueExW(opened.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
}

NumberFormat UserNumberFormat() {
    NumberFormat format;
    format.decimalSeparator = UserLocaleInfo(LOCALE_SDECIMAL, L".");
    format.groupSeparator = UserLocaleInfo(LOCALE_STHOUSAND, L",");
    format.negativeSign = UserLocaleInfo(LOCALE_SNEGATIVESIGN, L"-");
    return format;
}

std::int16_t StoredInteger16(std::wstring_view text) { return ToInteger16(text, UserNumberFormat()); }
std::int32_t StoredInteger32(std::wstring_view text) { return ToInteger32(text, UserNumberFormat()); }
float StoredSingle(std::wstring_view text) { return ToSingle(text, UserNumberFormat()); }
bool StoredIsNumeric(std::wstring_view text) { return IsNumeric(text, UserNumberFormat()); }
bool StoredSwitchIsOn(std::wstring_view text) { return StoredSwitchOn(text, UserNumberFormat()); }

std::wstring SingleToStoredText(double value) { return SingleToText(static_cast<float>(value), UserNumberFormat()); }

std::wstring GeometryToStoredText(double twips) { return WholeNumberText(twips); }

std::wstring SizeToStoredText(std::wstring_view typed) { return TypedToStored(typed, UserNumberFormat()); }

std::wstring StoredSizeToTyped(std::wstring_view stored) { return StoredToTypedText(stored, UserNumberFormat()); }

float StoredDecimal(std::wstring_view text) { return static_cast<float>(ParseStoredNumber(text, UserNumberFormat())); }

bool StoredSwitchOr(const SettingsStore& store, const Setting& setting) {
    const bool fallback = setting.fallback.value_or(0) == 1;
    const std::wstring text = store.CachedText(setting.name);
    if (text.empty()) return fallback;
    try {
        return StoredSwitchIsOn(text);
    } catch (const AppError&) {
        return fallback;  // said where the clock reads it for itself
    }
}

}  // namespace tellurane
