#include "logic/tray/tray_protocol.h"

#include <algorithm>
#include <limits>
#include <string>

#include "logic/app_error.h"
#include "logic/texts.h"

namespace tellurane {

TrayNotification MapTrayMessage(std::uint32_t code) {
    switch (code) {
        case 0x200:
            return {TrayEvent::MouseMove, 0};
        case 0x201:
            return {TrayEvent::MouseDown, 1};
        case 0x202:
            return {TrayEvent::MouseUp, 1};
        case 0x203:
            return {TrayEvent::MouseDoubleClick, 1};
        case 0x204:
            return {TrayEvent::MouseDown, 2};
        case 0x205:
            return {TrayEvent::MouseUp, 2};
        case 0x206:
            return {TrayEvent::MouseDoubleClick, 2};
        case 0x403:  // NIN_BALLOONHIDE
        case 0x404:  // NIN_BALLOONTIMEOUT
            return {TrayEvent::BalloonGone, 0};
        case 0x405:  // NIN_BALLOONUSERCLICK: gone too, and the user asked for the program
            return {TrayEvent::BalloonClicked, 0};
        default:
            return {TrayEvent::None, 0};
    }
}

void FillTextField(std::wstring_view text, wchar_t* field, std::size_t width) {
    if (width == 0) return;
    std::size_t kept = std::min(text.size(), width - 1);
    const auto highSurrogate = [](wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
    if (kept < text.size() && kept > 0 && highSurrogate(text[kept - 1])) --kept;
    std::copy_n(text.data(), kept, field);
    field[kept] = L'\0';
    std::fill_n(field + kept + 1, width - kept - 1, L' ');
}

std::uint32_t BalloonTimeoutMilliseconds(std::int32_t showTimerSeconds) {
    if (showTimerSeconds <= 0) return 0;
    if (showTimerSeconds > std::numeric_limits<std::int32_t>::max() / 1000) {
        throw AppError(Tr(IDS_BALLOON_TOO_LONG, {std::to_wstring(showTimerSeconds)}));
    }
    return static_cast<std::uint32_t>(showTimerSeconds) * 1000u;
}

}  // namespace tellurane
