#include "logic/error_report.h"

#include <new>

#include "logic/app_error.h"
#include "logic/texts.h"

namespace tellurane {

std::wstring ErrorReportText(std::wstring_view description, std::wstring_view location, int line,
                             std::wstring_view supportAddress) {
    std::wstring text(description);
    text += L"\r\n";
    text += location;
    text += Tr(IDS_ERROR_AT_LINE, {std::to_wstring(line)});
    text += L"\r\r";
    text += Tr(IDS_ERROR_EMAIL, {supportAddress});
    return text;
}

std::wstring DescribeCaughtFailure(const std::exception_ptr& failure) noexcept {
    try {
        if (failure) std::rethrow_exception(failure);
        return TrOr(IDS_NO_FAILURE, L"no failure");
    } catch (const AppError& error) {
        try {
            return error.Description();
        } catch (...) {
            return TrOr(IDS_FAILURE_TOO_LONG, L"a failure (its description is too long to copy)");
        }
    } catch (const std::bad_alloc&) {
        return TrOr(IDS_OUT_OF_MEMORY, L"out of memory");
    } catch (const std::exception& error) {
        std::wstring text;
        try {
            // what() is ASCII in every library we use; other bytes are shown as '?'.
            for (const char* c = error.what(); *c; ++c) text += static_cast<unsigned char>(*c) < 0x80 ? *c : L'?';
        } catch (...) {
        }
        return text;
    } catch (...) {
        return TrOr(IDS_FAILURE_UNKNOWN, L"a failure of unknown kind");
    }
}

std::wstring FailureLogLine(std::string_view where, std::wstring_view what) {
    std::wstring line = L"Tellurane: ";
    for (char c : where) line += static_cast<wchar_t>(static_cast<unsigned char>(c));
    line += L": ";
    line += what;
    line += L"\n";
    return line;
}

}  // namespace tellurane
