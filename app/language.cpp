#include "app/language.h"

#include <windows.h>

#include "logic/texts.h"
#include "win32/language.h"

namespace tellurane {
namespace {

const Language* g_language = &EnglishLanguage();

bool FromStringTables(TextId id, std::wstring& text) {
    return LoadStringIn(GetModuleHandleW(nullptr), id, g_language->langId, text);
}

}  // namespace

bool ProgramSpeaks(const Language& language) {
    // Every block holds every text (the build checks it): one tells whether the block is there.
    return HasStringIn(GetModuleHandleW(nullptr), IDS_OK, language.langId);
}

void UseProgramLanguage(std::wstring_view stored) {
    g_language = ChooseLanguage(stored, PreferredUiLanguages(), ProgramSpeaks);
    SetTextSource(&FromStringTables, g_language->tag);
    SetRightToLeft(g_language->rightToLeft);
    // Boxes are shown by this thread only (the alarms' timer thread only waits).
    UseThreadUiLanguage(g_language->tag);
}

const Language& ProgramLanguage() noexcept { return *g_language; }

}  // namespace tellurane
