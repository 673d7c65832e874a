// What a clock tells at a glance: its face's tip (what a click does, and how far its zone is from the
// computer's own time) and its line in the tray icon's tip, which lists every open clock.

#include <windows.h>

#include <commctrl.h>

#include "app/clock/clock_window.h"
#include "logic/app_title.h"
#include "logic/clock/world_tip.h"
#include "logic/texts.h"
#include "win32/boundary.h"

namespace tellurane {

void ClockWindow::CreateFaceTooltip() noexcept {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Face().Handle());
    // Asked for each time it shows: the zone's distance changes with daylight saving time.
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, Dpi(), 96));  // its lines as they are
}

std::wstring ClockWindow::FaceTip() {
    std::wstring tip = Tr(IDS_FACE_TOOLTIP);
    const std::wstring zone = store_.CachedText(keys::kTimeZone);
    if (zone.empty()) return tip;
    const auto now = static_cast<std::int64_t>(ReadSystemClock().utcMilliseconds);
    return tip + L"\r\n" + ZoneDistanceText(face_.MinutesAheadOfLocal(zone, now));
}

bool ClockWindow::AnswerTooltip(LPARAM lParam) noexcept {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (!tooltip_ || info->hdr.hwndFrom != tooltip_ || info->hdr.code != TTN_GETDISPINFOW) return false;
    tipText_ = CarryOnOr("ClockWindow::FaceTip", std::wstring(), [this] { return FaceTip(); });
    info->lpszText = tipText_.data();
    return true;
}

// Its name, its time as the user writes a time, and the day where it is not today here.
TipClock ClockWindow::Glance(std::int64_t utcMilliseconds, const LocalTime& here) {
    const LocalTime there = face_.LocalAt(store_.CachedText(keys::kTimeZone), utcMilliseconds);
    const SYSTEMTIME time = ToSystemTime(there);
    wchar_t text[64] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, 64);
    return TipClock{Name(), text, DayDelta(there, here)};
}

std::wstring ClockWindow::Name() const {
    std::wstring label = Label();
    if (!label.empty()) return label;
    return number_ == 0 ? std::wstring(kProductName) : Tr(IDS_MENU_CLOSED_CLOCK, {std::to_wstring(number_)});
}

}  // namespace tellurane
