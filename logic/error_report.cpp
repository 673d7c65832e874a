#include "logic/error_report.h"

namespace tellurane {

std::wstring ErrorReportText(std::wstring_view description, std::wstring_view location, int line,
                             std::wstring_view supportAddress) {
    std::wstring text(description);
    text += L"\r\n";
    text += location;
    text += L"at line ";
    text += std::to_wstring(line);
    text += L"\r\r";
    text += L"Please email screenshot of this message to ";
    text += supportAddress;
    return text;
}

}  // namespace tellurane
