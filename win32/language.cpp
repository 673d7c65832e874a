#include "win32/language.h"

#include <utility>

namespace tellurane {
namespace {

bool g_rightToLeft = false;
ThreadUiLanguagesFunction g_setThreadUiLanguages = &SetThreadPreferredUILanguages;

// A string table resource holds sixteen strings, each its length in UTF-16 units, then its units.
const WCHAR* FindString(HMODULE module, UINT id, LANGID language, WORD& length) {
    HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* at = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (!at) return nullptr;
    const DWORD size = SizeofResource(module, found) / sizeof(WCHAR);
    const WCHAR* end = at + size;
    for (UINT skip = id % 16; skip > 0; --skip) {
        if (at >= end) return nullptr;
        at += 1 + *at;
    }
    if (at >= end || at + 1 + *at > end) return nullptr;
    length = *at;
    return at + 1;
}

}  // namespace

bool LoadStringIn(HMODULE module, UINT id, LANGID language, std::wstring& text) {
    WORD length = 0;
    const WCHAR* found = FindString(module, id, language, length);
    if (!found || length == 0) return false;
    text.assign(found, length);
    return true;
}

bool HasStringIn(HMODULE module, UINT id, LANGID language) {
    WORD length = 0;
    return FindString(module, id, language, length) && length > 0;
}

std::vector<std::wstring> PreferredUiLanguages() {
    ULONG count = 0, size = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0) return {};
    std::wstring names(size, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size)) return {};
    std::vector<std::wstring> tags;
    for (const wchar_t* at = names.c_str(); *at; at += lstrlenW(at) + 1) tags.emplace_back(at);
    return tags;
}

bool UseThreadUiLanguage(std::wstring_view tag) noexcept {
    // One name, then the list's end: two nulls. A name Windows has no words for falls back to the user's
    // languages, then the system's, as Windows' own loader does.
    wchar_t names[LOCALE_NAME_MAX_LENGTH + 2] = {};
    if (tag.empty() || tag.size() >= LOCALE_NAME_MAX_LENGTH) return false;
    tag.copy(names, tag.size());
    ULONG set = 0;
    return g_setThreadUiLanguages(MUI_LANGUAGE_NAME, names, &set) != FALSE;
}

ThreadUiLanguagesFunction SetThreadUiLanguagesFunction(ThreadUiLanguagesFunction set) noexcept {
    return std::exchange(g_setThreadUiLanguages, set ? set : &SetThreadPreferredUILanguages);
}

void SetRightToLeft(bool rightToLeft) noexcept { g_rightToLeft = rightToLeft; }
bool RightToLeft() noexcept { return g_rightToLeft; }
UINT BoxReadingFlags() noexcept { return g_rightToLeft ? MB_RTLREADING | MB_RIGHT : 0; }
UINT MenuReadingFlags() noexcept { return g_rightToLeft ? TPM_LAYOUTRTL : 0; }

bool ReadsRightToLeft(CaptionReading reading) noexcept { return g_rightToLeft && reading == CaptionReading::Language; }
UINT DrawTextReadingFlags(CaptionReading reading) noexcept { return ReadsRightToLeft(reading) ? DT_RTLREADING : 0; }

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) noexcept {
    return MessageBoxW(owner, text.c_str(), title.c_str(), flags | BoxReadingFlags());
}

}  // namespace tellurane
