// The face's drawing: off screen, then copied; and what a new caption needs drawn again.

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "logic/clock/face_band.h"
#include "win32/boundary.h"
#include "win32/gdi.h"
#include "win32/handles.h"
#include "win32/push_button.h"
#include "win32/surface_colors.h"

namespace tellurane {
namespace {

// Where a character's cell ends on the line.
int EndOf(const GlyphRun& run, std::size_t index) { return index + 1 < run.x.size() ? run.x[index + 1] : run.width; }

}  // namespace

std::wstring PushButton::CaptionOrNothing() const noexcept {
    return CarryOnOr("PushButton::Caption", std::wstring(), [this] { return Shown(Caption()); });
}

// As drawn: an access key's & is not shown (Windows underlines it only once the keyboard is used, and
// an owner-drawn button leaves that to its owner); && is one &.
std::wstring PushButton::Shown(std::wstring_view caption) const {
    if (!accessKeys_ || caption.find(L'&') == std::wstring_view::npos) return std::wstring(caption);
    std::wstring shown;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if (caption[at] == L'&' && at + 1 < caption.size()) ++at;
        shown += caption[at];
    }
    return shown;
}

bool PushButton::PrepareBackBuffer(HDC screen, int width, int height) const noexcept {
    if (backBuffer_ && backSize_.cx == width && backSize_.cy == height) return true;
    backBuffer_.reset(CreateCompatibleDC(screen));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    backBitmap_.reset(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!backBuffer_ || !backBitmap_) {
        backBuffer_.reset();
        return false;
    }
    // Selected for the buffer's life: the DC is deleted before the bitmap.
    SelectObject(backBuffer_.get(), backBitmap_.get());
    backSize_ = {width, height};
    return true;
}

// A new second's band goes to the screen at once, through the face's own DC, rather than through a
// paint: a paint asks Windows for the update region, hides and shows the caret, and passes messages
// through the button's subclass (under Wine a dozen server round trips, most of a tick). Whatever else
// the face needs drawn still comes with WM_PAINT.
bool PushButton::DrawBandNow(RECT band) const noexcept {
    if (!IsWindowVisible(hwnd_)) return false;
    RECT client{};
    GetClientRect(hwnd_, &client);
    // A button's DC may be its parent's, clipped to the parent: the band keeps to the face.
    if (!IntersectRect(&band, &band, &client)) return true;
    HDC dc = GetDC(hwnd_);
    if (!dc) return false;
    IntersectClipRect(dc, band.left, band.top, band.right, band.bottom);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd_));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = drawnState_;
    item.hwndItem = hwnd_;
    item.hDC = dc;
    item.rcItem = client;
    Draw(item);
    ReleaseDC(hwnd_, dc);
    return true;
}

void PushButton::Draw(const DRAWITEMSTRUCT& item) const noexcept {
    drawnState_ = item.itemState;
    const RECT bounds = item.rcItem;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) return;

    // Drawn off screen first, into a DIB of the program's own memory, then put on screen with one
    // copy: the face is redrawn every second and must not flicker. The buffer keeps the last face, so
    // only the part Windows asks for (the digits that changed) is drawn and copied again.
    const bool kept = backBuffer_ && backSize_.cx == width && backSize_.cy == height && painted_.valid;
    if (!PrepareBackBuffer(item.hDC, width, height)) return;
    HDC memory = backBuffer_.get();
    const RECT rect{0, 0, width, height};
    RECT part = rect;
    RECT asked{};
    if (kept && GetClipBox(item.hDC, &asked) > NULLREGION) {
        OffsetRect(&asked, -bounds.left, -bounds.top);
        IntersectRect(&part, &rect, &asked);
    }
    {
        const SavedDcState state(memory);  // the buffer's clip is for this face only
        IntersectClipRect(memory, part.left, part.top, part.right, part.bottom);
        const bool focused = (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT);
        if (skin_ && !HighContrastOn()) {
            {
                const int room = height - 2 * MulDiv(2, dpi_, 96);
                const SelectedObject font(memory, FontFitting(memory, room));
                const PlacedRun line = DrawSkinnedFace(memory, rect, CaptionOrNothing(), *skin_, ToColorRef(foreColor_),
                                                       dpi_, outlines_, ReadsRightToLeft(reading_));
                RememberLine(memory, line, room, skin_->tabular, SkinInkReach(*skin_, dpi_));
            }
            if (focused) {
                RECT focus = rect;
                InflateRect(&focus, -MulDiv(2, dpi_, 96), -MulDiv(2, dpi_, 96));
                DrawFocusRect(memory, &focus);
            }
        } else {
            DrawPlain(memory, rect, (item.itemState & ODS_SELECTED) != 0, focused);
        }
    }
    BitBlt(item.hDC, bounds.left + part.left, bounds.top + part.top, part.right - part.left, part.bottom - part.top,
           memory, part.left, part.top, SRCCOPY);
}

void PushButton::DrawPlain(HDC memory, RECT rect, bool pressed, bool focused) const noexcept {
    const SurfacePaint paint = PaintFor(backColor_, foreColor_);
    UniqueBrush background(CreateSolidBrush(paint.back));
    FillRect(memory, &rect, background.get());
    if (PressedByEnter()) {
        // The button that Enter presses has the heavier frame, in the colour its text reads in.
        UniqueBrush frame(CreateSolidBrush(paint.text));
        FrameRect(memory, &rect, frame.get());
        InflateRect(&rect, -1, -1);
    }
    DrawEdge(memory, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    // A button that cannot be pressed now says so as Windows' own do: its text in the grey of disabled text.
    const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    DrawCaption(memory, rect, pressed, enabled ? paint.text : GetSysColor(COLOR_GRAYTEXT));
    if (focused) {
        RECT focus = rect;
        const int inset = MulDiv(4, dpi_, 96);
        InflateRect(&focus, -inset, -inset);
        if (HighContrastOn()) {
            UniqueBrush highlight(CreateSolidBrush(FocusColor()));
            FrameRect(memory, &focus, highlight.get());
        } else {
            DrawFocusRect(memory, &focus);
        }
    }
}

void PushButton::DrawCaption(HDC memory, const RECT& rect, bool pressed, COLORREF color) const noexcept {
    const std::wstring caption = CaptionOrNothing();
    RECT inner = rect;
    InflateRect(&inner, -2, -2);  // inside the edge
    const SelectedObject font(memory, FontFitting(memory, inner.bottom - inner.top));
    TEXTMETRICW metrics{};
    GetTextMetricsW(memory, &metrics);
    RECT textRect = rect;
    textRect.top = CentredTextTop(metrics, inner);
    textRect.bottom = textRect.top + metrics.tmHeight;
    if (pressed) OffsetRect(&textRect, 1, 1);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, color);
    // A caption wider than the face keeps its start in view (the time comes first) and shows it is cut.
    // A text of Arabic or Hebrew reads right to left, its time and punctuation where that reading puts
    // them; Windows orders the whole line, so it is drawn whole.
    const bool rightToLeft = ReadsRightToLeft(reading_);
    UINT format = DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DrawTextReadingFlags(reading_);
    GlyphRun run = CachedLayOut(memory, caption, false);
    if (rightToLeft) {
        run.whole = true;
        run.x.clear();
    }
    const int margin = MulDiv(4, dpi_, 96);
    PlacedRun line{run, 0};
    int cut = std::numeric_limits<int>::max();
    if (run.width > textRect.right - textRect.left - 2 * margin) {
        InflateRect(&textRect, -margin, 0);
        format |= (rightToLeft ? DT_RIGHT : DT_LEFT) | DT_END_ELLIPSIS;
        line.left = textRect.left;
        // Where the ellipsis may start: what changes before it keeps the rest of the line in place.
        SIZE ellipsis{};
        GetTextExtentPoint32W(memory, L"...", 3, &ellipsis);
        cut = textRect.right - textRect.left - ellipsis.cx;
    } else {
        format |= DT_CENTER;
        line.left = textRect.left + (textRect.right - textRect.left - run.width) / 2;
    }
    RECT clip{};
    if (cut == std::numeric_limits<int>::max() && !run.whole && run.x.size() == caption.size() &&
        GetClipBox(memory, &clip) != ERROR) {
        // Only the characters whose ink may reach the part asked for, each where the whole line puts it,
        // clipped as DrawText clips: the same pixels, without laying out and drawing the rest each second.
        const int reach = metrics.tmOverhang + metrics.tmAveCharWidth + 2;
        std::size_t first = 0, last = caption.size();
        while (first < caption.size() && line.left + EndOf(run, first) < clip.left - reach) ++first;
        while (last > first && line.left + run.x[last - 1] > clip.right + reach) --last;
        if (first < last) {
            ExtTextOutW(memory, line.left + run.x[first], textRect.top, ETO_CLIPPED, &textRect, caption.c_str() + first,
                        static_cast<UINT>(last - first), nullptr);
        }
    } else {
        DrawTextW(memory, caption.c_str(), static_cast<int>(caption.size()), &textRect, format);
    }
    RememberLine(memory, line, inner.bottom - inner.top, false, 0);
    painted_.cut = cut;
}

void PushButton::RememberLine(HDC dc, const PlacedRun& line, int room, bool tabular, int reach) const noexcept {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    painted_.valid = !line.run.whole && line.run.x.size() == line.run.text.size();
    painted_.text = line.run.text;
    painted_.layout = {line.run.x, line.run.width};
    painted_.left = line.left;
    painted_.room = room;
    painted_.tabular = tabular;
    // Ink may reach past a character's cell: an overhang, an italic slant, antialiasing, an outline.
    painted_.reach = reach + metrics.tmOverhang + metrics.tmAveCharWidth / 2 + 2;
    painted_.cut = std::numeric_limits<int>::max();
}

// A new caption is laid out once: for the band it changes, then for drawing it.
GlyphRun PushButton::CachedLayOut(HDC dc, std::wstring_view caption, bool tabular) const noexcept {
    const auto font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    if (laidOut_.run.text != caption || laidOut_.font != font || laidOut_.tabular != tabular) {
        laidOut_ = {LayOut(dc, caption, tabular), font, tabular};
    }
    return laidOut_.run;
}

std::optional<RECT> PushButton::BandFor(std::wstring_view caption) const noexcept {
    if (!painted_.valid || !backBuffer_) return std::nullopt;
    HDC memory = backBuffer_.get();
    const SelectedObject font(memory, FontFitting(memory, painted_.room));
    const GlyphRun run = CachedLayOut(memory, caption, painted_.tabular);
    if (run.whole) return std::nullopt;
    const auto span = ChangedSpan(painted_.text, painted_.layout, caption, LineLayout{run.x, run.width});
    if (!span || span->to + painted_.reach >= painted_.cut) return std::nullopt;
    if (span->from == span->to) return RECT{};
    return RECT{painted_.left + span->from - painted_.reach, 0, painted_.left + span->to + painted_.reach,
                backSize_.cy};
}

}  // namespace tellurane
