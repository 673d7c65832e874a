#include "logic/app_title.h"

namespace tellurane {
namespace {

std::wstring_view TrimSpaces(std::wstring_view text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

std::wstring ApplicationTitleFor(std::wstring_view productName) {
    const std::wstring_view name = TrimSpaces(productName);
    if (name.empty()) return std::wstring(kProductName);
    std::wstring_view title = name;
    do {
        const auto space = title.rfind(L' ');
        if (space == std::wstring_view::npos) break;
        title = TrimSpaces(title.substr(0, space));
    } while (title.size() > kTitleLengthLimit);
    return std::wstring(title);
}

}  // namespace tellurane
