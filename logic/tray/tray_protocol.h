#pragma once
// What the notification area and the tray control say to each other, without the shell itself.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tellurane {

inline constexpr std::uint32_t kTrayCallbackMessage = 0x465;  // WM_USER + 0x65
inline constexpr std::uint32_t kTrayStructureSize = 936;      // NOTIFYICONDATAW with balloons, without its GUID
// The text fields' widths, in UTF-16 code units, their NUL included.
inline constexpr std::size_t kTipWidth = 128;
inline constexpr std::size_t kInfoWidth = 256;
inline constexpr std::size_t kInfoTitleWidth = 64;
inline constexpr std::wstring_view kDefaultTrayTip = L"Telnet Server";

enum class TrayEvent { None, MouseMove, MouseDown, MouseUp, MouseDoubleClick, BalloonGone, BalloonClicked };

struct TrayNotification {
    TrayEvent event;
    std::int16_t button;  // 1 left, 2 right
};

// The callback message's lParam, as the shell sends it.
TrayNotification MapTrayMessage(std::uint32_t code);

// A fixed-width text field: the text, one NUL, then spaces to the field's end. A text too long
// for the field is cut one short of it, so that the field always ends its text with a NUL, and
// never between the two halves of a surrogate pair (the shell would show a broken character).
void FillTextField(std::wstring_view text, wchar_t* field, std::size_t width);

// The balloon's time-out in milliseconds: 0 for none; AppError when it does not fit 32 bits.
std::uint32_t BalloonTimeoutMilliseconds(std::int32_t showTimerSeconds);

}  // namespace tellurane
