// The face's menu (a right click, the Menu key or Shift+F10) and the text size on Ctrl + mouse wheel.

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "app/clock/form1.h"
#include "logic/number_text.h"
#include "logic/setting_keys.h"
#include "win32/boundary.h"
#include "win32/handles.h"
#include "win32/message_loop.h"

namespace tellurane {
namespace {

struct MenuTraits {
    static void Close(HMENU menu) noexcept { DestroyMenu(menu); }
};
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;

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

}  // namespace

std::optional<LRESULT> Form1::HandleFaceMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_CONTEXTMENU:
            if (closing_ || !AsksForFaceMenu(*this, wParam, lParam)) break;
            CarryOn("Form1::ShowFaceMenu", [&] { ShowFaceMenu(nullptr, lParam); });
            return 0;
        case WM_TIMECHANGE:
            OnTimeChanged();
            return 0;
        case kRemoveClosedClocks:
            CarryOn("Form1::RemoveClosedClocks", [&] { RemoveClosedClocks(); });
            return 0;
        case WM_MOUSEWHEEL:
            if (CarryOnOr("Form1::WheelResizesText", false,
                          [&] { return WheelResizesText(PushButton1(), store_, wParam, lParam); })) {
                return 0;
            }
            break;
        case WM_SETCURSOR:
            clickThrough_.PointerOver();
            break;
        case WM_COMMAND:
            // Text1 only keeps the focus, out of sight: its caret would blink, waking the program twice a
            // second for nothing. Removing it leaves the box working as before.
            if (LOWORD(wParam) == form1::kText1 && HIWORD(wParam) == EN_SETFOCUS) DestroyCaret();
            break;
        default:
            break;
    }
    return std::nullopt;
}

void Form1::ShowFaceMenu(ExtraClock* clock, LPARAM where) {
    Form& window = clock ? static_cast<Form&>(*clock) : *this;
    PushButton& face = clock ? clock->Face() : PushButton1();
    const SettingsStore& store = clock ? clock->Store() : store_;
    const POINT at = FaceMenuPoint(face.Handle(), where);
    const bool onTop = CarryOnOr("Form1::ShowFaceMenu", false,
                                 [&] { return StoredSwitchIsOn(store.ReadSetting(keys::kAlwaysOnTop, 0)); });
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    AppendMenuW(menu.get(), MF_STRING, kMenuSettings, L"&Settings\u2026");
    AppendMenuW(menu.get(), MF_STRING, kMenuClockOptions, L"Clock &options\u2026");
    AddNewClockItems(menu.get());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING | (onTop ? MF_CHECKED : MF_UNCHECKED), kMenuAlwaysOnTop, L"Always on &top");
    const std::vector<SkinChoice> skins = CarryOnOr("Form1::ShowFaceMenu", std::vector<SkinChoice>{},
                                                    [] { return SkinChoices(); });
    AddSkinItems(menu.get(), store, skins);
    AppendMenuW(menu.get(), MF_STRING, kMenuCopyTime, L"&Copy time");
    AppendMenuW(menu.get(), MF_STRING | (CanHideInTray() ? MF_ENABLED : MF_GRAYED), kMenuHideToTray, L"&Hide to tray");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    if (clock) AppendMenuW(menu.get(), MF_STRING, kMenuCloseClock, L"C&lose this clock");
    AppendMenuW(menu.get(), MF_STRING, kMenuExit, L"E&xit");
    SetMenuDefaultItem(menu.get(), kMenuSettings, FALSE);  // what a left click does
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                           at.x, at.y, window.Handle(), nullptr));
    RunMenuChoice(clock, chosen, onTop, skins);
}

void Form1::AddSkinItems(HMENU menu, const SettingsStore& store, const std::vector<SkinChoice>& skins) {
    HMENU list = CreatePopupMenu();
    if (!list) return;
    std::wstring current = store.CachedText(clock_keys::kSkin);
    // The program's skin, where the program folder has none, is no skin.
    if (current.empty() &&
        std::none_of(skins.begin(), skins.end(), [](const SkinChoice& skin) { return skin.value.empty(); })) {
        current = kNoSkin;
    }
    for (std::size_t index = 0; index < skins.size() && index < kMenuReopenClock - kMenuSkin; ++index) {
        const bool chosen = CompareStringOrdinal(skins[index].value.c_str(), -1, current.c_str(), -1, TRUE) ==
                            CSTR_EQUAL;
        AppendMenuW(list, MF_STRING | (chosen ? MF_CHECKED : MF_UNCHECKED), kMenuSkin + index,
                    skins[index].title.c_str());
    }
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(list), L"S&kin");  // the menu owns it now
}

// New clock, or, when clocks have been closed, a list that also reopens them.
void Form1::AddNewClockItems(HMENU menu) {
    HMENU closed = nullptr;
    for (const ExtraClockEntry& entry : ClosedClocks()) {
        if (!closed) {
            closed = CreatePopupMenu();
            if (!closed) break;
            AppendMenuW(closed, MF_STRING, kMenuNewClock, L"&New clock");
            AppendMenuW(closed, MF_SEPARATOR, 0, nullptr);
        }
        AppendMenuW(closed, MF_STRING, kMenuReopenClock + static_cast<UINT>(entry.number), entry.title.c_str());
    }
    if (closed) {
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(closed), L"&New clock");  // the menu owns it now
    } else {
        AppendMenuW(menu, MF_STRING, kMenuNewClock, L"&New clock");
    }
}

void Form1::RunMenuChoice(ExtraClock* clock, UINT chosen, bool onTop, const std::vector<SkinChoice>& skins) {
    HWND window = clock ? clock->Handle() : Handle();
    const SettingsStore& store = clock ? clock->Store() : store_;
    if (chosen >= kMenuSkin && chosen - kMenuSkin < skins.size()) {
        store.WriteSetting(clock_keys::kSkin, skins[chosen - kMenuSkin].value);
        if (clock) {
            clock->FollowChosenSkin();
        } else {
            FollowChosenSkin();
        }
        return;
    }
    if (chosen > kMenuReopenClock) {
        if (ExtraClock* reopened = OpenClock(static_cast<int>(chosen - kMenuReopenClock))) {
            SetForegroundWindow(reopened->Handle());
        }
        return;
    }
    switch (chosen) {
        case kMenuSettings:
            if (clock) {
                OpenSettingsFor(*clock);
            } else {
                PushButton1_Click();
            }
            break;
        case kMenuClockOptions:
            OpenClockOptions(clock);
            break;
        case kMenuNewClock:
            NewClock(clock);
            break;
        case kMenuAlwaysOnTop:
            // Stored and applied at once, as the settings' box does when they close.
            store.WriteSetting(keys::kAlwaysOnTop, onTop ? L"0" : L"1");
            if (onTop) {
                ClearTopMost(window);
            } else {
                SetTopMost(window);
            }
            OnTopChangedByHand(clock ? clock->Number() : 0);
            break;
        case kMenuCopyTime:
            if (!PutOnClipboard(window, clock ? clock->Face().Caption() : PushButton1().Caption())) {
                ShowPlainError(kTimeNotCopied);
            }
            break;
        case kMenuHideToTray:
            HideAllInTray();
            break;
        case kMenuCloseClock:
            if (clock) PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        case kMenuExit:
            PostMessageW(Handle(), WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

// Each notch of the wheel one point larger or smaller, stored as the settings store it; only over the
// face, so a wheel meant for a window beside it does nothing here.
bool Form1::WheelResizesText(PushButton& face, const SettingsStore& store, WPARAM wParam, LPARAM lParam) {
    if (!(GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL)) return false;
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT area;
    GetWindowRect(face.Handle(), &area);
    if (!PtInRect(&area, at)) return false;
    wheelTurned_ += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = wheelTurned_ / WHEEL_DELTA;
    wheelTurned_ %= WHEEL_DELTA;
    if (notches == 0) return true;
    const double size = std::clamp(std::round(face.FontSize()) + notches, 1.0, std::floor(PushButton::kMaxFontSize));
    face.SetFontSize(size);
    store.WriteSetting(keys::kFontSize, SizeToStoredText(IntegerToText(static_cast<std::int64_t>(size))));
    return true;
}

}  // namespace tellurane
