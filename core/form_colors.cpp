#include "core/form.h"

#include "core/gdi.h"

namespace tellurane {
namespace {

bool TakesWindowColors(ControlKind kind) { return kind == ControlKind::Frame || kind == ControlKind::CheckBox; }

}  // namespace

void Form::SetBackColor(ColorValue color) noexcept {
    backColor_ = color;
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

ColorValue Form::ControlBackColor(int id) const noexcept {
    const ControlRecord* record = Find(id);
    return record ? record->backColor : kWhite;
}

void Form::SetControlBackColor(int id, ColorValue color) noexcept {
    auto* record = const_cast<ControlRecord*>(Find(id));
    if (!record) return;
    record->backColor = color;
    if (record->button) record->button->SetBackColor(color);
    InvalidateRect(record->hwnd, nullptr, TRUE);
}

std::vector<int> Form::PlainControlIds() const {
    std::vector<int> ids;
    for (const auto& record : controls_) {
        if (TakesWindowColors(record.layout->kind)) ids.push_back(record.layout->id);
    }
    return ids;
}

HBRUSH Form::BrushFor(ColorValue color) noexcept {
    const COLORREF rgb = ToColorRef(color);
    try {
        auto& brush = brushes_[rgb];
        if (!brush) brush.reset(CreateSolidBrush(rgb));
        return brush.get();
    } catch (...) {
        return GetSysColorBrush(COLOR_BTNFACE);
    }
}

LRESULT Form::OnEraseBackground(HDC dc) noexcept {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, BrushFor(backColor_));
    return 1;
}

LRESULT Form::OnControlColor(HDC dc, HWND control) noexcept {
    const ControlRecord* record = Find(control);
    if (!record) return DefWindowProcW(Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control));
    SetTextColor(dc, ToColorRef(record->layout->foreColor));
    SetBkColor(dc, ToColorRef(record->backColor));
    return reinterpret_cast<LRESULT>(BrushFor(record->backColor));
}

}  // namespace tellurane
