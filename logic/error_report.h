#pragma once
// The text of the common error box, and where each trapped handler says it failed.

#include <exception>
#include <string>
#include <string_view>

namespace tellurane {

inline constexpr std::wstring_view kErrorBoxTitle = L"Application Error";

// Location texts of the trapped handlers; each ends with the one space that precedes "at line".
namespace location {
inline constexpr std::wstring_view kForm1QueryUnload = L"in Vantorel2021/08/31.Form1.Form_QueryUnload ";
inline constexpr std::wstring_view kForm1FaceClick = L"in Vantorel2021/08/31.Form1.PushButton1_Click ";
inline constexpr std::wstring_view kForm1Load = L"in Vantorel2021/08/31.Form1.Form_Load ";
inline constexpr std::wstring_view kForm1Tick = L"in Vantorel2021/08/31.Form1.Timer1 ";
inline constexpr std::wstring_view kForm2Load = L"in Vantorel2021/08/31.Form2.Form_Load ";
inline constexpr std::wstring_view kForm2Ok = L"in Vantorel2021/08/31.Form2.PushButton1_Click ";
inline constexpr std::wstring_view kForm2Colour = L"in Vantorel2021/08/31.Form2.PushButton3_Click ";
}  // namespace location

// description CR LF location "at line " number CR CR "Please email screenshot of this message to " address
std::wstring ErrorReportText(std::wstring_view description, std::wstring_view location, int line,
                             std::wstring_view supportAddress);

// What a failure caught at a boundary was: an AppError's description, a standard exception's own
// text, or a plain word for anything else.
std::wstring DescribeCaughtFailure(const std::exception_ptr& failure) noexcept;
// The line a swallowed failure leaves in the debugger's output: "Tellurane: where: what" and a newline.
std::wstring FailureLogLine(std::string_view where, std::wstring_view what);

}  // namespace tellurane
