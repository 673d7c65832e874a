#include "core/face_paint.h"

#include <algorithm>
#include <cmath>

#include "core/handles.h"

namespace tellurane {
namespace {

int PointsToPixels(double points, int dpi) { return static_cast<int>(std::lround(points * dpi / 72.0)); }

COLORREF Mix(COLORREF over, COLORREF under, BYTE alpha) {
    const auto channel = [alpha](int a, int b) { return static_cast<BYTE>((a * alpha + b * (255 - alpha)) / 255); };
    return RGB(channel(GetRValue(over), GetRValue(under)), channel(GetGValue(over), GetGValue(under)),
               channel(GetBValue(over), GetBValue(under)));
}

void DrawRun(HDC dc, const GlyphRun& run, int x, int y) {
    for (std::size_t i = 0; i < run.text.size(); ++i) TextOutW(dc, x + run.x[i], y, &run.text[i], 1);
}

BOOL CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

}  // namespace

GlyphRun LayOut(HDC dc, std::wstring_view caption, bool tabular) noexcept {
    GlyphRun run;
    try {
        run.text.assign(caption);
        run.x.resize(caption.size());
        int cell = 0;
        if (tabular) {
            for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
                SIZE size{};
                GetTextExtentPoint32W(dc, &digit, 1, &size);
                cell = std::max<int>(cell, size.cx);
            }
        }
        int x = 0;
        for (std::size_t i = 0; i < caption.size(); ++i) {
            SIZE size{};
            GetTextExtentPoint32W(dc, &caption[i], 1, &size);
            const bool digit = tabular && caption[i] >= L'0' && caption[i] <= L'9';
            const int advance = digit ? cell : size.cx;
            run.x[i] = x + (digit ? (cell - size.cx) / 2 : 0);
            x += advance;
        }
        run.width = x;
    } catch (...) {
        run = {};
    }
    return run;
}

void DrawSkinnedFace(HDC dc, const RECT& rect, std::wstring_view caption, const FaceSkin& skin, COLORREF text,
                     int dpi) noexcept {
    UniqueBrush window(CreateSolidBrush(skin.windowBack));
    FillRect(dc, &rect, window.get());
    const COLORREF under = skin.plate.value_or(skin.windowBack);
    if (skin.plate) {
        UniqueBrush plate(CreateSolidBrush(*skin.plate));
        const int diameter = 2 * PointsToPixels(skin.cornerPoints, dpi);
        HRGN shape = diameter > 0 ? CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, diameter, diameter)
                                  : CreateRectRgnIndirect(&rect);
        if (shape) {
            FillRgn(dc, shape, plate.get());
            DeleteObject(shape);
        }
    }

    const GlyphRun run = LayOut(dc, caption, skin.tabular);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int margin = MulDiv(4, dpi, 96);
    const int room = rect.right - rect.left - 2 * margin;
    int x = rect.left + margin;
    // Wider than the face: the start, which is the time, stays in view.
    if (run.width <= room) {
        if (skin.align == SkinAlign::Center) x = rect.left + (rect.right - rect.left - run.width) / 2;
        if (skin.align == SkinAlign::Right) x = rect.right - margin - run.width;
    }
    const int y = rect.top + (rect.bottom - rect.top - metrics.tmHeight) / 2;
    SetBkMode(dc, TRANSPARENT);
    HRGN clip = CreateRectRgnIndirect(&rect);
    SelectClipRgn(dc, clip);

    if (skin.shadow) {
        SetTextColor(dc, Mix(skin.shadow->color, under, skin.shadow->alpha));
        DrawRun(dc, run, x + PointsToPixels(skin.shadow->dx, dpi), y + PointsToPixels(skin.shadow->dy, dpi));
    }
    if (skin.outline && skin.outline->width > 0) {
        // The letters' own outlines, stroked with a round pen twice the width: half of it shows outside.
        const int width = std::max(1, PointsToPixels(skin.outline->width, dpi));
        LOGBRUSH brush{BS_SOLID, skin.outline->color, 0};
        UniqueHandle<HPEN, GdiObjectTraits> pen(
            ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_JOIN_ROUND | PS_ENDCAP_ROUND, 2 * width, &brush, 0, nullptr));
        if (pen && BeginPath(dc)) {
            DrawRun(dc, run, x, y);
            EndPath(dc);
            HGDIOBJ oldPen = SelectObject(dc, pen.get());
            StrokePath(dc);
            SelectObject(dc, oldPen);
        }
    }
    SetTextColor(dc, text);
    DrawRun(dc, run, x, y);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
}

std::wstring FirstInstalledFont(const std::vector<std::wstring>& families) {
    HDC screen = GetDC(nullptr);
    std::wstring chosen;
    for (const std::wstring& family : families) {
        LOGFONTW query{};
        query.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(query.lfFaceName, family.c_str(), LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(screen, &query, &NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            chosen = family;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return chosen;
}

}  // namespace tellurane
