#include "win32/user_locale.h"

namespace tellurane {

std::wstring UserLocaleInfo(LCTYPE type, const wchar_t* fallback) {
    wchar_t buffer[LOCALE_NAME_MAX_LENGTH] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, LOCALE_NAME_MAX_LENGTH) > 0) return buffer;
    return fallback;
}

}  // namespace tellurane
