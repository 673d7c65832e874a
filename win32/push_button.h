#pragma once
// The push button that serves as the clock face and as the settings window's buttons:
// an owner-drawn BUTTON, so its caption is its window text (screen readers and tests read it)
// and the caption can be drawn in any colour, which a themed button cannot do.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "logic/clock/face_band.h"
#include "logic/color_value.h"
#include "logic/window_layout.h"
#include "win32/face_paint.h"
#include "win32/handles.h"
#include "win32/language.h"

namespace tellurane {

class PushButton {
public:
    PushButton() = default;
    PushButton(const PushButton&) = delete;
    PushButton& operator=(const PushButton&) = delete;
    ~PushButton();

    // Creates the button as a child of the parent at a position in twips, measured at the given DPI.
    bool Create(HWND parent, const ControlLayout& layout, int clientLeft, int clientTop, int dpi);

    HWND Handle() const noexcept { return hwnd_; }

    std::wstring Caption() const;
    void SetCaption(std::wstring_view caption);
    // The captions set while one lives are one change of the face: it is asked to be drawn again once,
    // where the last of them differs from what is shown (a tick that sets the time, then adds the
    // weekday, redraws the digits that changed, not the whole face).
    class CaptionBatch {
    public:
        explicit CaptionBatch(PushButton& button) noexcept;
        ~CaptionBatch();
        CaptionBatch(const CaptionBatch&) = delete;
        CaptionBatch& operator=(const CaptionBatch&) = delete;

    private:
        PushButton& button_;
        bool wasBatched_;
    };

    ColorValue ForeColor() const noexcept { return foreColor_; }
    void SetForeColor(ColorValue color);
    ColorValue BackColor() const noexcept { return backColor_; }
    void SetBackColor(ColorValue color);

    double FontSize() const noexcept { return font_.points; }
    // Throws AppError for a size no font can take (not above 0, above the limit, not a number).
    void SetFontSize(double points);

    // Outer size in twips; left and top stay where they are.
    double Width() const noexcept { return widthTwips_; }
    double Height() const noexcept { return heightTwips_; }
    void SetWidth(double twips);
    void SetHeight(double twips);

    // Draws a heavier border: the button that Enter presses.
    void SetDefault(bool isDefault);

    // The look a skin gives the face; nullopt: the layout's own.
    void SetSkin(std::optional<FaceSkin> skin);
    bool Skinned() const noexcept { return skin_.has_value(); }
    // A window without a caption is moved by dragging its face; a press that does not move is a click.
    void SetMovesWindow(bool moves) noexcept { movesWindow_ = moves; }
    // Whether the caption reads as the program's language (right to left in Arabic and Hebrew) or as
    // the face's time and date, left to right in every language. A caption of the program's texts
    // starts as the first, any other as the second.
    void SetCaptionReading(CaptionReading reading);
    CaptionReading Reading() const noexcept { return reading_; }
    // What a screen reader says the button does, after its name (the caption) and role.
    void SetDescription(std::wstring description) { description_ = std::move(description); }

    std::function<void()> onClick;
    std::function<void()> onMouseMove;
    // Someone reads the caption (its text, or its name for a screen reader): a caption kept up to date
    // only while it is seen is brought up to date first.
    std::function<void()> onCaptionAsked;

    // The parent forwards these.
    void Draw(const DRAWITEMSTRUCT& item) const noexcept;
    // The off-screen buffer at the face's size; false when there is no memory for it.
    bool PrepareBackBuffer(HDC screen, int width, int height) const noexcept;
    void DrawPlain(HDC memory, RECT rect, bool pressed, bool focused) const noexcept;
    void DrawCaption(HDC memory, const RECT& rect, bool pressed, COLORREF color) const noexcept;
    // What a paint drew, for BandFor: where the line lay, in which font and how far its ink reaches.
    void RememberLine(HDC dc, const PlacedRun& line, int room, bool tabular, int reach) const noexcept;
    // The part of the face a new caption changes against what was last drawn; nullopt: all of it, an
    // empty rectangle: nothing.
    std::optional<RECT> BandFor(std::wstring_view caption) const noexcept;
    // What the last new caption drew again at once: an empty rectangle, nothing; nullopt: the whole face,
    // left to a paint.
    std::optional<RECT> LastBand() const noexcept { return lastBand_; }
    std::wstring CaptionOrNothing() const noexcept;
    std::wstring Shown(std::wstring_view caption) const;
    void Clicked() const noexcept;
    void SetDpi(int dpi) noexcept;

    static constexpr double kMaxFontSize = 2160.0;

private:
    bool answeringCaption_ = false;  // onCaptionAsked runs: its own reads are answered as they are
    static LRESULT AnswerScreenReader(HWND hwnd, WPARAM wParam, LPARAM lParam, const PushButton* self) noexcept;
    bool FollowDrag(HWND hwnd, UINT message, WPARAM wParam) noexcept;
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR refData) noexcept;
    bool PressedByEnter() const noexcept;
    void ApplyFont() noexcept;
    void ApplyGeometry() noexcept;
    HFONT FontFitting(HDC dc, int room) const noexcept;

    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    double leftTwips_ = 0, topTwips_ = 0, widthTwips_ = 0, heightTwips_ = 0;
    ColorValue foreColor_ = kButtonTextColor;
    ColorValue backColor_ = kWhite;
    FontSpec font_{};
    bool isDefault_ = false;
    bool accessKeys_ = false;  // its caption marks an access key with &
    CaptionReading reading_ = CaptionReading::Face;
    std::optional<FaceSkin> skin_;
    bool movesWindow_ = false;
    std::wstring description_;
    std::optional<POINT> pressedAt_;  // where a press that may become a drag began, in screen pixels
    UniqueFont hfont_;
    // The chosen font made small enough for the face's height, when it is too tall; for that height.
    mutable UniqueFont fitFont_;
    mutable int fitRoom_ = 0;
    mutable OutlineShapes outlines_;
    // Kept between paints: the face is drawn every second.
    mutable UniqueBitmap backBitmap_;
    mutable UniqueMemoryDc backBuffer_;  // after the bitmap: goes first, letting go of it
    mutable SIZE backSize_{};
    struct PaintedLine {
        bool valid = false;  // false: the next paint draws the whole face
        std::wstring text;
        LineLayout layout;
        int left = 0;
        int room = 0;  // the height the font was fitted to
        bool tabular = false;
        int reach = 0;
        int cut = 0;  // where a line too wide for the face is cut with an ellipsis, in the line's x
    };
    mutable PaintedLine painted_;
    struct LaidOut {
        GlyphRun run;
        HFONT font = nullptr;
        bool tabular = false;
    };
    mutable LaidOut laidOut_;  // the last caption laid out, and in which font
    GlyphRun CachedLayOut(HDC dc, std::wstring_view caption, bool tabular) const noexcept;
    mutable UINT drawnState_ = 0;  // the button's state (focus, pressed) at its last paint
    std::optional<RECT> lastBand_;
    bool DrawBandNow(RECT band) const noexcept;
    std::wstring caption_;
    bool captionBatched_ = false;
    bool captionPending_ = false;  // set within a batch, not yet the window's text
    void WriteWindowText() noexcept;
    void InvalidateAll() noexcept;
    void InvalidateCaption(std::wstring_view caption) noexcept;
};

}  // namespace tellurane
