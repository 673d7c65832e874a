#include "logic/clock/picture.h"

namespace tellurane {
namespace {

bool IsTimeField(wchar_t c) { return c == L'h' || c == L'H' || c == L'm' || c == L's' || c == L't'; }
bool IsDateField(wchar_t c) { return c == L'd' || c == L'M' || c == L'y' || c == L'g'; }

}  // namespace

std::optional<std::wstring> PictureProblem(PictureKind kind, std::wstring_view picture) {
    if (picture.empty()) return std::nullopt;
    if (picture.size() > kMaxPictureLength) {
        return L"A picture has at most " + std::to_wstring(kMaxPictureLength) + L" characters.";
    }
    const bool time = kind == PictureKind::Time;
    bool quoted = false, ownField = false;
    for (wchar_t c : picture) {
        if (c < L' ') return std::wstring(L"A picture holds no tabs, line breaks or other control characters.");
        if (c == L'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        if (time ? IsTimeField(c) : IsDateField(c)) ownField = true;
        if (time ? IsDateField(c) : IsTimeField(c)) {
            return time ? std::wstring(
                              L"d, M, y and g belong in the date picture; put other text in quotes, "
                              L"'like this'.")
                        : std::wstring(
                              L"h, H, m, s and t belong in the time picture; put other text in quotes, "
                              L"'like this'.");
        }
    }
    if (quoted) return std::wstring(L"A quotation mark (') is not closed.");
    if (!ownField) {
        return time ? std::wstring(L"A time picture needs at least one of h, H, m, s or t.")
                    : std::wstring(L"A date picture needs at least one of d, M, y or g.");
    }
    return std::nullopt;
}

std::wstring FaceLine(std::wstring_view label, std::wstring_view time, std::wstring_view date) {
    std::wstring line;
    for (std::wstring_view part : {label, time, date}) {
        if (part.empty()) continue;
        if (!line.empty()) line += L' ';
        line += part;
    }
    return line;
}

}  // namespace tellurane
