#include "core/app_title.h"

namespace tellurane {

std::wstring ApplicationTitleFor(std::wstring_view productName) {
    std::wstring_view title = productName;
    do {
        const auto space = title.rfind(L' ');
        if (space == std::wstring_view::npos) break;
        title = title.substr(0, space);
    } while (title.size() > kTitleLengthLimit);
    if (title.empty()) return std::wstring(productName);
    return std::wstring(title);
}

}  // namespace tellurane
