// The first clock's face of its own (a zone, label, picture or countdown), its tooltip, and what a
// change of Windows' time or zone does to every face.

#include "app/clock/form1.h"

#include <commctrl.h>

#include "logic/clock/tick_schedule.h"
#include "logic/error_report.h"
#include "logic/setting_keys.h"
#include "logic/texts.h"
#include "win32/boundary.h"

namespace tellurane {

void Form1::CreateFaceTooltip() noexcept {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
    std::wstring text = Tr(IDS_FACE_TOOLTIP);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(PushButton1().Handle());
    tool.lpszText = text.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// A zone, label, picture or countdown of its own: then the first clock shows what the others show.
bool Form1::HasOwnFace() const {
    for (const Setting* key :
         {&keys::kTimeZone, &keys::kLabel, &keys::kTimePicture, &keys::kDatePicture, &keys::kCountdown}) {
        if (!Store().CachedText(*key).empty()) return true;
    }
    return false;
}

void Form1::Tick(const ClockReading&) { Timer1_Timer(); }

// A value of its own face that cannot be used: said as the tick's failures are.
void Form1::Say(const std::wstring& description) { ReportTickFailure(description, location::kForm1Tick, 0); }

}  // namespace tellurane
