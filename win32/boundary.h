#pragma once
// The one idiom at a boundary that no failure may cross and that has no box of its own: a window
// procedure, a paint, a call from Windows, a destructor. The failure is written to the debugger's
// output (OutputDebugString, seen in DebugView or a debugger) and the caller carries on with what
// it has. The trapped handlers do not use this: their failures go to the common error box.

#include <string_view>
#include <utility>

#include "logic/app_error.h"

namespace tellurane {

// Writes "Tellurane: where: what" to the debugger's output.
void LogFailure(std::string_view where, std::wstring_view what) noexcept;
// Inside a catch block: logs the failure being handled, with its description when it has one.
void LogCaughtFailure(std::string_view where) noexcept;

// Runs work; a failure is logged and false returned.
template <typename Work>
bool CarryOn(std::string_view where, Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
        return true;
    } catch (...) {
        LogCaughtFailure(where);
        return false;
    }
}

// Returns what work returns, or the fallback after logging its failure.
template <typename Result, typename Work>
Result CarryOnOr(std::string_view where, Result fallback, Work&& work) noexcept {
    try {
        return std::forward<Work>(work)();
    } catch (...) {
        LogCaughtFailure(where);
        return fallback;
    }
}

// Runs work; an AppError, which is meant for the user, has its description passed to say (a box, a
// report); any other failure is logged. Returns whether work completed. A failing say is logged too.
template <typename Work, typename Say>
bool SayOrLog(std::string_view where, Work&& work, Say&& say) noexcept {
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const AppError& error) {
        CarryOn(where, [&] { std::forward<Say>(say)(error.Description()); });
    } catch (...) {
        LogCaughtFailure(where);
    }
    return false;
}

}  // namespace tellurane
