#include "app/clock/face_menu.h"

#include <algorithm>

#include "app/language.h"
#include "app/main_module.h"
#include "logic/texts.h"
#include "win32/boundary.h"
#include "win32/language.h"
#include "win32/menu.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

bool PutOnClipboard(HWND owner, const std::wstring& text) {
    // Another program may hold the clipboard for a moment (a clipboard manager, a remote desktop): asked
    // again for up to half a second, the clocks ticking on meanwhile.
    bool open = OpenClipboard(owner) != FALSE;
    for (int attempt = 0; !open && attempt < 10; ++attempt) {
        WaitSeconds(0.05);
        open = OpenClipboard(owner) != FALSE;
    }
    if (!open) return false;
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool given = false;
    if (memory) {
        if (void* target = GlobalLock(memory)) {
            std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(target));
            GlobalUnlock(memory);
            given = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;  // the clipboard owns it now
        }
        if (!given) GlobalFree(memory);
    }
    CloseClipboard();
    return given;
}

void AddSkinItems(HMENU menu, const SettingsStore& store, const std::vector<SkinChoice>& skins) {
    UniqueMenu list(CreatePopupMenu());
    if (!list) return;
    std::wstring current = store.CachedText(keys::kSkin);
    // The program's skin, where the program folder has none, is no skin.
    if (current.empty() &&
        std::none_of(skins.begin(), skins.end(), [](const SkinChoice& skin) { return skin.value.empty(); })) {
        current = kNoSkin;
    }
    for (std::size_t index = 0; index < skins.size() && index < kMenuReopenClock - kMenuSkin; ++index) {
        const bool chosen = CompareStringOrdinal(skins[index].value.c_str(), -1, current.c_str(), -1, TRUE) ==
                            CSTR_EQUAL;
        AppendMenuW(list.get(), MF_STRING | (chosen ? MF_CHECKED : MF_UNCHECKED), kMenuSkin + index,
                    skins[index].title.c_str());
    }
    AppendSubmenu(menu, std::move(list), Tr(IDS_MENU_SKIN).c_str());
}

// Each language named in itself; the choice applies to what opens next, as the last line says.
void AddLanguageItems(HMENU menu, const SettingsStore& main) {
    UniqueMenu list(CreatePopupMenu());
    if (!list) return;
    const std::wstring stored = main.Read(keys::kLanguage);
    const Language* chosen = stored.empty() ? nullptr : LanguageForTag(stored);
    AppendMenuW(list.get(), MF_STRING | (chosen ? MF_UNCHECKED : MF_CHECKED), kMenuLanguageWindows,
                Tr(IDS_MENU_LANGUAGE_WINDOWS).c_str());
    AppendMenuW(list.get(), MF_SEPARATOR, 0, nullptr);
    const std::span<const Language> languages = Languages();
    for (std::size_t index = 0; index < languages.size(); ++index) {
        if (!ProgramSpeaks(languages[index])) continue;
        const std::wstring name(languages[index].name);
        AppendMenuW(list.get(), MF_STRING | (chosen == &languages[index] ? MF_CHECKED : MF_UNCHECKED),
                    kMenuLanguage + index, name.c_str());
    }
    AppendMenuW(list.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(list.get(), MF_STRING | MF_GRAYED, 0, Tr(IDS_MENU_LANGUAGE_NOTE).c_str());
    AppendSubmenu(menu, std::move(list), Tr(IDS_MENU_LANGUAGE).c_str());
}

// New clock, or, when clocks have been closed, a list that also reopens them.
void AddNewClockItems(HMENU menu, const std::vector<ClosedClock>& closedClocks) {
    UniqueMenu closed;
    for (const ClosedClock& entry : closedClocks) {
        if (!closed) {
            closed.reset(CreatePopupMenu());
            if (!closed) break;
            AppendMenuW(closed.get(), MF_STRING, kMenuNewClock, Tr(IDS_MENU_NEW_CLOCK).c_str());
            AppendMenuW(closed.get(), MF_SEPARATOR, 0, nullptr);
        }
        AppendMenuW(closed.get(), MF_STRING, kMenuReopenClock + static_cast<UINT>(entry.number), entry.title.c_str());
    }
    if (closed) {
        AppendSubmenu(menu, std::move(closed), Tr(IDS_MENU_NEW_CLOCK).c_str());
    } else {
        AppendMenuW(menu, MF_STRING, kMenuNewClock, Tr(IDS_MENU_NEW_CLOCK).c_str());
    }
}

// The clock's next alarm, and a way to turn that one ring off.
void AddAlarmItems(HMENU menu, const std::optional<AlarmBell::NextAlarm>& next) {
    if (!next) {
        AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, Tr(IDS_MENU_NO_ALARM).c_str());
        return;
    }
    std::wstring text = Tr(IDS_MENU_NEXT_ALARM, {next->when, next->label});
    // A label is the user's text: an & in it is shown, not taken for an access key.
    for (std::size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at + 2))
        text.insert(at, 1, L'&');
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, text.c_str());
    AppendMenuW(menu, MF_STRING, kMenuSkipAlarm, Tr(IDS_MENU_SKIP_ALARM).c_str());
}

}  // namespace

UINT ShowFaceMenu(HWND clock, POINT at, const SettingsStore& store, const FaceMenuState& state,
                  const SettingsStore& main) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return 0;
    AppendMenuW(menu.get(), MF_STRING, kMenuSettings, Tr(IDS_MENU_SETTINGS).c_str());
    AppendMenuW(menu.get(), MF_STRING, kMenuClockOptions, Tr(IDS_MENU_CLOCK_OPTIONS).c_str());
    AddNewClockItems(menu.get(), state.closed);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AddAlarmItems(menu.get(), state.nextAlarm);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING | (state.onTop ? MF_CHECKED : MF_UNCHECKED), kMenuAlwaysOnTop,
                Tr(IDS_MENU_ALWAYS_ON_TOP).c_str());
    AddSkinItems(menu.get(), store, state.skins);
    AddLanguageItems(menu.get(), main);
    AppendMenuW(menu.get(), MF_STRING, kMenuCopyTime, Tr(IDS_MENU_COPY_TIME).c_str());
    AppendMenuW(menu.get(), MF_STRING | (state.canHideInTray ? MF_ENABLED : MF_GRAYED), kMenuHideToTray,
                Tr(IDS_MENU_HIDE_TO_TRAY).c_str());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    if (state.closable) AppendMenuW(menu.get(), MF_STRING, kMenuCloseClock, Tr(IDS_MENU_CLOSE_CLOCK).c_str());
    AppendMenuW(menu.get(), MF_STRING, kMenuExit, Tr(IDS_MENU_EXIT).c_str());
    SetMenuDefaultItem(menu.get(), kMenuSettings, FALSE);  // what a left click does
    return static_cast<UINT>(TrackPopupMenuEx(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY | MenuReadingFlags(), at.x, at.y, clock, nullptr));
}

bool RunOwnChoice(UINT chosen, HWND clock, PushButton& face, const SettingsStore& main) {
    if (chosen == kMenuLanguageWindows || (chosen >= kMenuLanguage && chosen - kMenuLanguage < Languages().size())) {
        const std::wstring tag(chosen == kMenuLanguageWindows ? L"" : Languages()[chosen - kMenuLanguage].tag);
        main.WriteSetting(keys::kLanguage, tag);
        UseProgramLanguage(tag);
        return true;
    }
    if (chosen == kMenuCopyTime) {
        if (!PutOnClipboard(clock, face.Caption())) ShowPlainError(Tr(IDS_TIME_NOT_COPIED));
        return true;
    }
    return false;
}

}  // namespace tellurane
