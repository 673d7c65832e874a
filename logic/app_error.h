#pragma once
// A failure that a trapped handler reports in the common error box.
// The description is what the user reads first in that box, so it says
// plainly what went wrong with which value.

#include <exception>
#include <string>
#include <utility>

namespace tellurane {

class AppError : public std::exception {
public:
    explicit AppError(std::wstring description) : description_(std::move(description)) {}

    const std::wstring& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return "Tellurane application error"; }

private:
    std::wstring description_;
};

}  // namespace tellurane
