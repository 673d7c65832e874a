// The face's menu, for any clock: a right click, the Menu key or Shift+F10.

#include <algorithm>

#include "app/clock/clocks.h"
#include "app/language.h"
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

}  // namespace

void Clocks::ShowMenuFor(ClockWindow& clock, LPARAM where) {
    if (program_.Closing()) return;
    const POINT at = FaceMenuPoint(clock.Face().Handle(), where);
    const bool onTop = CarryOnOr("Clocks::ShowMenuFor", false,
                                 [&] { return StoredSwitchIsOn(clock.Store().Read(keys::kAlwaysOnTop)); });
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    AppendMenuW(menu.get(), MF_STRING, kMenuSettings, Tr(IDS_MENU_SETTINGS).c_str());
    AppendMenuW(menu.get(), MF_STRING, kMenuClockOptions, Tr(IDS_MENU_CLOCK_OPTIONS).c_str());
    AddNewClockItems(menu.get());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AddAlarmItems(menu.get(), clock);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING | (onTop ? MF_CHECKED : MF_UNCHECKED), kMenuAlwaysOnTop,
                Tr(IDS_MENU_ALWAYS_ON_TOP).c_str());
    const std::vector<SkinChoice> skins = CarryOnOr("Clocks::ShowMenuFor", std::vector<SkinChoice>{},
                                                    [] { return SkinChoices(); });
    AddSkinItems(menu.get(), clock.Store(), skins);
    AddLanguageItems(menu.get(), main_);
    AppendMenuW(menu.get(), MF_STRING, kMenuCopyTime, Tr(IDS_MENU_COPY_TIME).c_str());
    AppendMenuW(menu.get(), MF_STRING | (program_.CanHideInTray() ? MF_ENABLED : MF_GRAYED), kMenuHideToTray,
                Tr(IDS_MENU_HIDE_TO_TRAY).c_str());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    if (clock.Number() != 0) AppendMenuW(menu.get(), MF_STRING, kMenuCloseClock, Tr(IDS_MENU_CLOSE_CLOCK).c_str());
    AppendMenuW(menu.get(), MF_STRING, kMenuExit, Tr(IDS_MENU_EXIT).c_str());
    SetMenuDefaultItem(menu.get(), kMenuSettings, FALSE);  // what a left click does
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY | MenuReadingFlags(), at.x, at.y,
                         clock.Handle(), nullptr));
    RunMenuChoice(clock, chosen, onTop, skins);
}

// New clock, or, when clocks have been closed, a list that also reopens them.
void Clocks::AddNewClockItems(HMENU menu) {
    UniqueMenu closed;
    for (const ClosedClock& entry : ClosedClocks()) {
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

void Clocks::RunMenuChoice(ClockWindow& clock, UINT chosen, bool onTop, const std::vector<SkinChoice>& skins) {
    if (chosen >= kMenuSkin && chosen - kMenuSkin < skins.size()) {
        clock.Store().WriteSetting(keys::kSkin, skins[chosen - kMenuSkin].value);
        clock.FollowChosenSkin();
        return;
    }
    if (chosen == kMenuLanguageWindows || (chosen >= kMenuLanguage && chosen - kMenuLanguage < Languages().size())) {
        const std::wstring tag(chosen == kMenuLanguageWindows ? L"" : Languages()[chosen - kMenuLanguage].tag);
        main_.WriteSetting(keys::kLanguage, tag);
        UseProgramLanguage(tag);
        return;
    }
    if (chosen > kMenuReopenClock) {
        if (ClockWindow* reopened = OpenClock(static_cast<int>(chosen - kMenuReopenClock))) {
            SetForegroundWindow(reopened->Handle());
        }
        return;
    }
    switch (chosen) {
        case kMenuSettings:
            clock.OpenSettings();
            break;
        case kMenuClockOptions:
            OpenClockOptions(clock);
            break;
        case kMenuSkipAlarm:
            if (bell_) bell_->SkipNext(clock.Number());
            break;
        case kMenuNewClock:
            NewClock(clock);
            break;
        case kMenuAlwaysOnTop:
            // Stored and applied at once, as the settings' box does when they close.
            clock.Store().Write(keys::kAlwaysOnTop, onTop ? 0 : 1);
            if (onTop) {
                ClearTopMost(clock.Handle());
            } else {
                SetTopMost(clock.Handle());
            }
            OnTopChangedByHand(clock.Number());
            break;
        case kMenuCopyTime:
            if (!PutOnClipboard(clock.Handle(), clock.Face().Caption())) ShowPlainError(Tr(IDS_TIME_NOT_COPIED));
            break;
        case kMenuHideToTray:
            HideAllInTray();
            break;
        case kMenuCloseClock:
            if (clock.Number() != 0) PostMessageW(clock.Handle(), WM_CLOSE, 0, 0);
            break;
        case kMenuExit:
            PostMessageW(first_.Handle(), WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

}  // namespace tellurane
