#include "logic/grammar.h"
#include "logic/setting_keys.h"

#include <cmath>

#include "logic/app_error.h"
#include "logic/texts.h"

namespace tellurane {
namespace {

const NumberFormat kInvariant{};

// Points as the size's messages write them: no trailing zeros.
std::wstring PointsText(double points) {
    std::wstring text = std::to_wstring(points);
    while (!text.empty() && text.back() == L'0') text.pop_back();
    if (!text.empty() && text.back() == L'.') text.pop_back();
    return text;
}

double InRange(const Setting& setting, std::wstring_view text, double value) {
    if (setting.low == setting.high) return value;
    if (setting.kind == ValueKind::Size) {
        if (!std::isfinite(value) || value <= setting.low || value > setting.high) {
            throw AppError(
                Tr(IDS_FONT_SIZE_IMPOSSIBLE, {PointsText(value), PointsText(setting.low), PointsText(setting.high)}));
        }
        return value;
    }
    if (value < setting.low || value > setting.high) {
        // "0, 1 or 2": every state the value may hold.
        std::wstring states;
        const auto last = static_cast<std::int64_t>(setting.high);
        for (auto state = static_cast<std::int64_t>(setting.low); state < last; ++state) {
            if (!states.empty()) states += ListSeparator(TextLanguage());
            states += IntegerToText(state);
        }
        states = Tr(IDS_LIST_OR, {states, IntegerToText(last)});
        throw AppError(Tr(IDS_SWITCH_STATE_BAD, {text, states}));
    }
    return value;
}

}  // namespace

double StoredNumber(const Setting& setting, std::wstring_view text, const NumberFormat& user) {
    switch (setting.kind) {
        case ValueKind::Switch:
            return InRange(setting, text, ToInteger16(text, user));
        case ValueKind::Colour:
            return InRange(setting, text, ToInteger32(text, user));
        case ValueKind::Size:
        case ValueKind::Geometry:
            // Kept as single precision, as the store always has.
            return InRange(setting, text, static_cast<float>(ParseStoredNumber(text, user)));
        case ValueKind::Text:
            break;
    }
    throw AppError(Tr(IDS_VALUE_IS_TEXT, {setting.name}));
}

bool StoredSwitchOn(std::wstring_view text, const NumberFormat& user) { return ToInteger16(text, user) == 1; }

std::wstring NumberToStored(const Setting& setting, double value) {
    switch (setting.kind) {
        case ValueKind::Size:
            return SingleToText(static_cast<float>(value), kInvariant);
        case ValueKind::Geometry:
            return WholeNumberText(value);
        default:
            return IntegerToText(static_cast<std::int64_t>(std::llround(value)));
    }
}

std::wstring TypedToStored(std::wstring_view typed, const NumberFormat& user) {
    try {
        return TypedToStoredText(typed, user);
    } catch (const AppError&) {
        return std::wstring(typed);
    }
}

std::wstring FallbackText(const Setting& setting, const NumberFormat& user) {
    if (!setting.fallback) return {};
    const double value = *setting.fallback;
    if (value == std::trunc(value)) return IntegerToText(static_cast<std::int64_t>(value));
    return SingleToText(static_cast<float>(value), user);
}

}  // namespace tellurane
