#include "win32/face_paint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "logic/text_shaping.h"
#include "win32/boundary.h"
#include "win32/handles.h"

namespace tellurane {
namespace {

int PointsToPixels(double points, int dpi) { return static_cast<int>(std::lround(points * dpi / 72.0)); }

COLORREF Mix(COLORREF over, COLORREF under, BYTE alpha) {
    const auto channel = [alpha](int a, int b) { return static_cast<BYTE>((a * alpha + b * (255 - alpha)) / 255); };
    return RGB(channel(GetRValue(over), GetRValue(under)), channel(GetGValue(over), GetGValue(under)),
               channel(GetBValue(over), GetBValue(under)));
}

// options: ETO_RTLREADING for a line that reads right to left, which is laid out whole.
void DrawRun(HDC dc, const GlyphRun& run, int x, int y, UINT options) {
    if (run.text.empty()) return;
    if (run.whole) {
        ExtTextOutW(dc, x, y, options, nullptr, run.text.c_str(), static_cast<UINT>(run.text.size()), nullptr);
        return;
    }
    // One call with each character's advance: the same places as drawing them one by one, at a
    // fraction of the cost.
    std::vector<INT> advances(run.text.size(), 0);
    for (std::size_t i = 0; i + 1 < run.text.size(); ++i) advances[i] = run.x[i + 1] - run.x[i];
    ExtTextOutW(dc, x + run.x[0], y, 0, nullptr, run.text.c_str(), static_cast<UINT>(run.text.size()), advances.data());
}

// The band a round pen strokes around the line as Windows draws it, shaped and ordered: made at each
// paint, as such lines are rare on a clock and their shapes depend on their neighbours.
void OutlineWholeLine(HDC dc, const GlyphRun& run, int x, int y, UINT options, int penWidth, HBRUSH brush) {
    LOGBRUSH solid{BS_SOLID, RGB(0, 0, 0), 0};
    UniquePen pen(
        ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_JOIN_ROUND | PS_ENDCAP_ROUND, penWidth, &solid, 0, nullptr));
    if (!pen || !BeginPath(dc)) return;
    DrawRun(dc, run, x, y, options);
    EndPath(dc);
    const SelectedObject widePen(dc, pen.get());
    const int oldFill = SetPolyFillMode(dc, WINDING);
    if (WidenPath(dc)) {
        const UniqueRegion shape(PathToRegion(dc));
        if (shape) FillRgn(dc, shape.get(), brush);
    }
    AbortPath(dc);
    SetPolyFillMode(dc, oldFill);
}

// Where a line of this width starts on the face. Wider than the face, its start, which is the time,
// stays in view: at the right in a line that reads right to left.
int LineLeft(const RECT& rect, int width, SkinAlign align, int margin, bool rightToLeft) {
    if (width > rect.right - rect.left - 2 * margin) {
        return rightToLeft ? rect.right - margin - width : rect.left + margin;
    }
    if (align == SkinAlign::Center) return rect.left + (rect.right - rect.left - width) / 2;
    if (align == SkinAlign::Right) return rect.right - margin - width;
    return rect.left + margin;
}

BOOL CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

}  // namespace

GlyphRun LayOut(HDC dc, std::wstring_view caption, bool tabular) noexcept {
    GlyphRun run;
    const bool measured = CarryOn("LayOut", [&] {
        const int count = static_cast<int>(caption.size());
        run.text.assign(caption);
        if (NeedsWholeLineShaping(caption)) {
            SIZE whole{};
            if (!GetTextExtentPoint32W(dc, run.text.c_str(), count, &whole)) {
                run = {};
                return;
            }
            run.whole = true;
            run.width = whole.cx;
            return;
        }
        run.x.resize(caption.size());
        // Where each character ends, measured once for the whole line.
        std::vector<INT> ends(caption.size(), 0);
        SIZE whole{};
        if (count > 0 && !GetTextExtentExPointW(dc, run.text.c_str(), count, 0, nullptr, ends.data(), &whole)) {
            run = {};
            return;
        }
        int cell = 0;
        INT digits[10] = {};
        if (tabular && GetCharWidth32W(dc, L'0', L'9', digits)) cell = *std::max_element(digits, digits + 10);
        int x = 0;
        for (int i = 0; i < count; ++i) {
            const int width = ends[i] - (i > 0 ? ends[i - 1] : 0);
            const bool digit = cell > 0 && caption[i] >= L'0' && caption[i] <= L'9';
            run.x[i] = x + (digit ? (cell - width) / 2 : 0);
            x += digit ? cell : width;
        }
        run.width = x;
    });
    if (!measured) run = {};
    return run;
}

int CentredTextTop(const TEXTMETRICW& metrics, const RECT& rect) noexcept {
    // The band from the top of the capitals to the bottom of the descenders is what the eye centres;
    // the room above it (for accents) is kept inside too while the whole line fits.
    const int height = rect.bottom - rect.top;
    int top = rect.top + (height - (metrics.tmHeight - metrics.tmInternalLeading)) / 2 - metrics.tmInternalLeading;
    if (metrics.tmHeight <= height) top = std::clamp<int>(top, rect.top, rect.bottom - metrics.tmHeight);
    return top;
}

void OutlineShapes::Use(HDC dc, int penWidth) noexcept {
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    if (penWidth != penWidth_ || std::memcmp(&font, &font_, sizeof font) != 0) {
        Clear();
        font_ = font;
        penWidth_ = penWidth;
    }
}

HRGN OutlineShapes::For(HDC dc, wchar_t character) noexcept {
    for (const auto& [known, shape] : shapes_) {
        if (known == character) return shape.get();
    }
    if (shapes_.size() >= 256) Clear();  // a caption in a script of many letters: start again

    UniqueRegion shape;
    LOGBRUSH brush{BS_SOLID, RGB(0, 0, 0), 0};
    UniquePen pen(
        ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_JOIN_ROUND | PS_ENDCAP_ROUND, penWidth_, &brush, 0, nullptr));
    if (pen && BeginPath(dc)) {
        ExtTextOutW(dc, 0, 0, 0, nullptr, &character, 1, nullptr);
        EndPath(dc);
        const SelectedObject widePen(dc, pen.get());
        const int oldFill = SetPolyFillMode(dc, WINDING);  // the widened pieces overlap
        if (WidenPath(dc)) shape.reset(PathToRegion(dc));  // nullptr for a blank such as a space
        AbortPath(dc);
        SetPolyFillMode(dc, oldFill);
    }
    const HRGN kept = shape.get();
    if (!CarryOn("OutlineShapes::For", [&] { shapes_.emplace_back(character, std::move(shape)); })) return nullptr;
    return kept;
}

void OutlineShapes::Clear() noexcept { shapes_.clear(); }

int SkinInkReach(const FaceSkin& skin, int dpi) noexcept {
    int reach = 0;
    if (skin.outline && skin.outline->width > 0) reach += std::max(1, PointsToPixels(skin.outline->width, dpi));
    if (skin.shadow) reach += std::abs(PointsToPixels(skin.shadow->dx, dpi));
    return reach;
}

PlacedRun DrawSkinnedFace(HDC dc, const RECT& rect, std::wstring_view caption, const FaceSkin& skin, COLORREF text,
                          int dpi, OutlineShapes& outlines, bool rightToLeft) noexcept {
    UniqueBrush window(CreateSolidBrush(skin.windowBack));
    FillRect(dc, &rect, window.get());
    const COLORREF under = skin.plate.value_or(skin.windowBack);
    if (skin.plate) {
        UniqueBrush plate(CreateSolidBrush(*skin.plate));
        const int diameter = 2 * PointsToPixels(skin.cornerPoints, dpi);
        const UniqueRegion shape(
            diameter > 0 ? CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, diameter, diameter)
                         : CreateRectRgnIndirect(&rect));
        if (shape) FillRgn(dc, shape.get(), plate.get());
    }

    GlyphRun run = LayOut(dc, caption, skin.tabular && !rightToLeft);
    const UINT options = rightToLeft ? ETO_RTLREADING : 0;
    if (rightToLeft) {
        // Windows orders the whole line: a character's own place is not known here.
        run.whole = true;
        run.x.clear();
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int x = LineLeft(rect, run.width, skin.align, MulDiv(4, dpi, 96), rightToLeft);
    const int y = CentredTextTop(metrics, rect);
    SetBkMode(dc, TRANSPARENT);
    // Within the face, and within whatever part of it the caller draws.
    const SavedDcState state(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);

    if (skin.shadow) {
        SetTextColor(dc, Mix(skin.shadow->color, under, skin.shadow->alpha));
        DrawRun(dc, run, x + PointsToPixels(skin.shadow->dx, dpi), y + PointsToPixels(skin.shadow->dy, dpi), options);
    }
    if (skin.outline && skin.outline->width > 0) {
        // The letters' own outlines, stroked with a round pen twice the width: half of it shows outside
        // (the letter, drawn after, covers the inner half).
        const int width = std::max(1, PointsToPixels(skin.outline->width, dpi));
        UniqueBrush brush(CreateSolidBrush(skin.outline->color));
        if (run.whole) {
            OutlineWholeLine(dc, run, x, y, options, 2 * width, brush.get());
        } else {
            outlines.Use(dc, 2 * width);
        }
        for (std::size_t i = 0; i < run.x.size(); ++i) {
            HRGN shape = outlines.For(dc, run.text[i]);
            if (!shape) continue;
            OffsetRgn(shape, x + run.x[i], y);
            FillRgn(dc, shape, brush.get());
            OffsetRgn(shape, -(x + run.x[i]), -y);
        }
    }
    SetTextColor(dc, text);
    DrawRun(dc, run, x, y, options);
    return {run, x};
}

std::wstring FirstInstalledFont(const std::vector<std::wstring>& families) {
    const WindowDc screen(nullptr);
    std::wstring chosen;
    for (const std::wstring& family : families) {
        LOGFONTW query{};
        query.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(query.lfFaceName, family.c_str(), LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(screen.get(), &query, &NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            chosen = family;
            break;
        }
    }
    return chosen;
}

}  // namespace tellurane
