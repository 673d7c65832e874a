#include "win32/form.h"

#include <commctrl.h>

#include "win32/boundary.h"
#include "win32/gdi.h"
#include "win32/handles.h"
#include "win32/language.h"
#include "win32/surface_colors.h"

namespace tellurane {
namespace {

constexpr UINT_PTR kFrameSubclass = 2;

// Paints a group box: its etched outline and its title on the background, in the text colour and
// brush that its window answers WM_CTLCOLORSTATIC with. The inside is left to the window behind it.
void PaintFrame(HWND frame, HDC dc) {
    RECT rect;
    GetClientRect(frame, &rect);
    HWND parent = GetParent(frame);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(frame)));
    auto font = reinterpret_cast<HFONT>(SendMessageW(frame, WM_GETFONT, 0, 0));
    const SelectedObject titleFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT outline = rect;
    outline.top += metrics.tmHeight / 2;
    DrawEdge(dc, &outline, EDGE_ETCHED, BF_RECT);

    wchar_t text[256] = {};
    const int length = GetWindowTextW(frame, text, 256);
    if (length > 0) {
        const int indent = metrics.tmAveCharWidth;
        RECT title{rect.left + indent, rect.top, rect.right - indent, rect.top + metrics.tmHeight};
        // The title reads as the program's language does (the frame is mirrored with its window).
        const UINT reading = DrawTextReadingFlags(CaptionReading::Language);
        DrawTextW(dc, text, length, &title, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT | reading);
        InflateRect(&title, 2, 0);
        if (brush) FillRect(dc, &title, brush);
        InflateRect(&title, -2, 0);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, text, length, &title, DT_SINGLELINE | DT_NOPREFIX | reading);
    }
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept {
    switch (message) {
        case WM_PAINT: {
            const PaintDc paint(frame);
            if (paint) PaintFrame(frame, paint.get());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the window behind paints the inside
        case WM_NCDESTROY:
            RemoveWindowSubclass(frame, &FrameProc, kFrameSubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(frame, message, wParam, lParam);
}

bool TakesWindowColors(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::CheckBox || kind == ControlKind::Label;
}

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

HBRUSH Form::BrushFor(COLORREF rgb) noexcept {
    HBRUSH kept = nullptr;
    const bool found = CarryOn("Form::BrushFor", [&] {
        auto& brush = brushes_[rgb];
        if (!brush) brush.reset(CreateSolidBrush(rgb));
        kept = brush.get();
    });
    return found ? kept : GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT Form::OnEraseBackground(HDC dc) noexcept {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, BrushFor(WindowBackground(backColor_)));
    return 1;
}

LRESULT Form::OnControlColor(HDC dc, HWND control) noexcept {
    const ControlRecord* record = Find(control);
    if (!record)
        return DefWindowProcW(Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    const SurfacePaint paint = PaintFor(record->backColor, record->layout->foreColor);
    SetTextColor(dc, paint.text);
    SetBkColor(dc, paint.back);
    return reinterpret_cast<LRESULT>(BrushFor(paint.back));
}

void Form::PaintFrameOurselves(HWND frame) noexcept {
    if (frame) SetWindowSubclass(frame, &FrameProc, kFrameSubclass, 0);
}

void Form::OnColorsChanged() noexcept {
    brushes_.clear();  // colours of the old scheme
    for (const ControlRecord& record : controls_) {
        // Common controls keep their own copies of the system colours and are told to refresh them.
        if (record.hwnd && !record.button) SendMessageW(record.hwnd, WM_SYSCOLORCHANGE, 0, 0);
    }
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace tellurane
