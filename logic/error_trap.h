#pragma once
// The error trap of the handlers that report failures step by step.
//
// A handler runs its steps through one trap. A step that throws is reported with the
// handler's location and the number of the last numbered step started, and the handler
// then goes on with its next step. A failed if-test counts as true, so the "then" branch
// runs: that is what users of this program have always seen, and stored data relies on it.

#include <exception>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "logic/app_error.h"
#include "logic/texts.h"

namespace tellurane {

class ErrorTrap {
public:
    using Reporter = std::function<void(std::wstring_view description, std::wstring_view location, int line)>;

    ErrorTrap(std::wstring_view location, Reporter report) : location_(location), report_(std::move(report)) {}

    // A step with a number of its own.
    template <typename Step>
    void Run(int line, Step&& step) noexcept {
        line_ = line;
        Guard([&] {
            FailIfAsked();
            step();
        });
    }

    // A step that counts under the number of the last numbered step.
    template <typename Step>
    void Run(Step&& step) noexcept {
        Guard(std::forward<Step>(step));
    }

    // An if-test with a number of its own; a test that fails takes the "then" branch.
    template <typename Test>
    bool If(int line, Test&& test) noexcept {
        line_ = line;
        bool result = true;
        Guard([&] {
            FailIfAsked();
            result = static_cast<bool>(test());
        });
        return result;
    }

    int Line() const noexcept { return line_; }

    // Tests make one numbered step of one handler fail, to see its box: the step then has no effect.
    using StepFailure = std::function<bool(std::wstring_view location, int line)>;
    static inline StepFailure failStep;

private:
    void FailIfAsked() const {
        if (failStep && failStep(location_, line_)) throw AppError(L"A failure made on purpose.");
    }

    template <typename Step>
    void Guard(Step&& step) noexcept {
        try {
            step();
        } catch (const AppError& error) {
            Report(error.Description());
        } catch (const std::bad_alloc&) {
            Report(L"Out of memory.");  // nothing more can be loaded now
        } catch (const std::exception& error) {
            ReportNarrow(error.what());
        } catch (...) {
            Report(TrOr(IDS_UNEXPECTED_FAILURE, L"Unexpected failure."));
        }
    }

    void Report(std::wstring_view description) noexcept {
        try {
            report_(description, location_, line_);
        } catch (...) {
            // The box itself failed (no memory for its text): nothing more can be shown.
        }
    }

    void ReportNarrow(const char* text) noexcept {
        try {
            std::wstring wide;
            for (; text != nullptr && *text != '\0'; ++text)
                wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
            Report(wide);
        } catch (...) {
            Report(TrOr(IDS_UNEXPECTED_FAILURE, L"Unexpected failure."));
        }
    }

    std::wstring_view location_;
    Reporter report_;
    int line_ = 0;
};

}  // namespace tellurane
