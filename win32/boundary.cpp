#include "win32/boundary.h"

#include <windows.h>

#include <exception>
#include <string>

#include "logic/error_report.h"

namespace tellurane {

void LogFailure(std::string_view where, std::wstring_view what) noexcept {
    try {
        const std::wstring line = FailureLogLine(where, what);
        OutputDebugStringW(line.c_str());
    } catch (...) {
        OutputDebugStringW(L"Tellurane: a failure that could not be described\n");
    }
}

void LogCaughtFailure(std::string_view where) noexcept {
    LogFailure(where, DescribeCaughtFailure(std::current_exception()));
}

}  // namespace tellurane
