#pragma once
// The clock face as a skin draws it: a plate, and the time with an outline and a shadow that keep it
// readable on any wallpaper, its digits in cells of one width so that nothing shifts as seconds pass.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "logic/skin_file.h"
#include "win32/handles.h"

namespace tellurane {

struct FaceSkin {
    std::wstring font;  // empty: the layout's font
    std::optional<int> weight;
    std::optional<bool> italic;
    std::optional<COLORREF> plate;  // none: the window's colour shows through
    COLORREF windowBack = RGB(255, 255, 255);
    bool tabular = false;
    SkinAlign align = SkinAlign::Center;
    std::optional<SkinOutline> outline;
    std::optional<SkinShadow> shadow;
    double cornerPoints = 0;
};

// The band an outline pen strokes around each character, as a region, kept between paints: stroking
// the letters' outlines is by far the dearest part of drawing a face, and a clock shows the same few
// characters all day. Made again when the font or the width changes.
class OutlineShapes {
public:
    OutlineShapes() = default;
    OutlineShapes(const OutlineShapes&) = delete;
    OutlineShapes& operator=(const OutlineShapes&) = delete;

    // Once per paint: the shapes are for the DC's font and a round pen of this width from now on.
    void Use(HDC dc, int penWidth) noexcept;
    // For the character drawn at 0, 0; nullptr: nothing. The region stays the cache's: offset it and
    // back, never delete it.
    HRGN For(HDC dc, wchar_t character) noexcept;

private:
    void Clear() noexcept;
    LOGFONTW font_{};
    int penWidth_ = 0;
    std::vector<std::pair<wchar_t, UniqueRegion>> shapes_;
};

// The x of each character, left to right from 0, and the whole width: with tabular digits every
// digit takes the width of the widest one and sits in the middle of its cell. A line in a script
// that Windows orders or shapes as a whole (right to left, joined letters) is laid out whole: no x of
// its own per character, and no tabular digits.
struct GlyphRun {
    std::wstring text;
    std::vector<int> x;
    int width = 0;
    bool whole = false;
};
GlyphRun LayOut(HDC dc, std::wstring_view caption, bool tabular) noexcept;

// A line as drawn: its layout and where it starts on the face.
struct PlacedRun {
    GlyphRun run;
    int left = 0;
};

// How far past its cell a character's ink may reach under the skin: the outline's outer half, the shadow.
int SkinInkReach(const FaceSkin& skin, int dpi) noexcept;

// Draws into a DC that has the face's font selected; the text in the given colour. Drawing keeps to
// the DC's clipping, so a part of the face can be drawn again alone. rightToLeft: the line reads right
// to left (a text of Arabic or Hebrew), ordered by Windows as a whole; too wide, its start stays in view.
PlacedRun DrawSkinnedFace(HDC dc, const RECT& rect, std::wstring_view caption, const FaceSkin& skin, COLORREF text,
                          int dpi, OutlineShapes& outlines, bool rightToLeft = false) noexcept;

// The top of a line of text in this font, vertically centred in the rectangle as the eye sees it.
int CentredTextTop(const TEXTMETRICW& metrics, const RECT& rect) noexcept;

// The first family of the list that is installed here, or an empty text.
std::wstring FirstInstalledFont(const std::vector<std::wstring>& families);

}  // namespace tellurane
