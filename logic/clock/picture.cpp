#include "logic/clock/picture.h"
#include "logic/texts.h"

namespace tellurane {
namespace {

bool IsTimeField(wchar_t c) { return c == L'h' || c == L'H' || c == L'm' || c == L's' || c == L't'; }
bool IsDateField(wchar_t c) { return c == L'd' || c == L'M' || c == L'y' || c == L'g'; }

}  // namespace

bool PictureShowsSeconds(std::wstring_view picture) {
    bool quoted = false;
    for (wchar_t c : picture) {
        if (c == L'\'') quoted = !quoted;
        if (!quoted && c == L's') return true;
    }
    return false;
}

std::optional<std::wstring> PictureProblem(PictureKind kind, std::wstring_view picture) {
    if (picture.empty()) return std::nullopt;
    if (picture.size() > kMaxPictureLength) {
        return Tr(IDS_PICTURE_TOO_LONG, {std::to_wstring(kMaxPictureLength)});
    }
    const bool time = kind == PictureKind::Time;
    bool quoted = false, ownField = false;
    for (wchar_t c : picture) {
        if (c < L' ') return Tr(IDS_PICTURE_CONTROL_CHARACTER);
        if (c == L'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        if (time ? IsTimeField(c) : IsDateField(c)) ownField = true;
        if (time ? IsDateField(c) : IsTimeField(c)) {
            return Tr(time ? IDS_PICTURE_DATE_FIELD_IN_TIME : IDS_PICTURE_TIME_FIELD_IN_DATE);
        }
    }
    if (quoted) return Tr(IDS_PICTURE_QUOTE_OPEN);
    if (!ownField) {
        return Tr(time ? IDS_PICTURE_TIME_NEEDS_FIELD : IDS_PICTURE_DATE_NEEDS_FIELD);
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
