#include "win32/push_button.h"

#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "logic/app_error.h"
#include "logic/texts.h"
#include "logic/twips.h"
#include "win32/accessible.h"
#include "win32/boundary.h"
#include "win32/gdi.h"
#include "win32/surface_colors.h"

namespace tellurane {
namespace {
constexpr UINT_PTR kSubclassId = 1;

bool IsOurButton(HWND window) {
    wchar_t name[8] = {};
    return window && GetClassNameW(window, name, 8) && lstrcmpiW(name, L"Button") == 0 &&
           (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

std::wstring SizeText(double points) {
    std::wstring text = std::to_wstring(points);
    while (!text.empty() && text.back() == L'0') text.pop_back();
    if (!text.empty() && text.back() == L'.') text.pop_back();
    return text;
}
}  // namespace

PushButton::~PushButton() {
    if (hwnd_) RemoveWindowSubclass(hwnd_, &PushButton::SubclassProc, kSubclassId);
}

bool PushButton::Create(HWND parent, const ControlLayout& layout, int clientLeft, int clientTop, int dpi) {
    dpi_ = dpi;
    leftTwips_ = clientLeft;
    topTwips_ = clientTop;
    widthTwips_ = layout.width;
    heightTwips_ = layout.height;
    foreColor_ = layout.foreColor;
    backColor_ = layout.backColor;
    font_ = layout.font;
    caption_ = Resolve(layout.caption);
    // The program's own texts mark their access key with &, as a dialog's buttons do; a face shows its
    // caption as it is.
    accessKeys_ = layout.caption.id != 0;
    reading_ = accessKeys_ ? CaptionReading::Language : CaptionReading::Face;
    const std::wstring& caption = caption_;
    hwnd_ = CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                            TwipsToPixels(leftTwips_, dpi), TwipsToPixels(topTwips_, dpi),
                            TwipsToPixels(widthTwips_, dpi), TwipsToPixels(heightTwips_, dpi), parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), GetModuleHandleW(nullptr),
                            nullptr);
    if (!hwnd_) return false;
    // In a mirrored window the button sits where mirroring puts it, but paints as text reads: its
    // picture is drawn off screen and copied in, which a mirrored DC would flip.
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    if (exStyle & WS_EX_LAYOUTRTL) SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, exStyle & ~WS_EX_LAYOUTRTL);
    SetWindowSubclass(hwnd_, &PushButton::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    ApplyFont();
    return true;
}

// The caption is kept here too: reading a window's text back costs a message (and under Wine far more),
// and the face reads its caption several times a second.
std::wstring PushButton::Caption() const { return caption_; }

void PushButton::SetCaption(std::wstring_view caption) {
    caption_.assign(caption);
    if (captionBatched_) {
        captionPending_ = true;
        return;
    }
    WriteWindowText();
    InvalidateCaption(caption_);
}

// The window text (what screen readers and other programs read), without the button's own repaint on
// WM_SETTEXT: the face is painted once, when the queue next gets to painting.
void PushButton::WriteWindowText() noexcept {
    captionPending_ = false;
    DefWindowProcW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption_.c_str()));
}

void PushButton::InvalidateCaption(std::wstring_view caption) noexcept {
    // Only the characters that changed since the last paint, when the rest keeps its place. The back
    // buffer still holds that paint, whatever is asked for: the next paint draws the part asked.
    const std::optional<RECT> band = BandFor(Shown(caption));
    lastBand_ = band;
    if (!band) {
        InvalidateRect(hwnd_, nullptr, FALSE);
    } else if (!IsRectEmpty(&*band) && !DrawBandNow(*band)) {
        InvalidateRect(hwnd_, &*band, FALSE);
    }
}

PushButton::CaptionBatch::CaptionBatch(PushButton& button) noexcept
    : button_(button), wasBatched_(std::exchange(button.captionBatched_, true)) {}

PushButton::CaptionBatch::~CaptionBatch() {
    button_.captionBatched_ = wasBatched_;
    if (!button_.captionPending_) return;
    button_.WriteWindowText();
    button_.InvalidateCaption(button_.caption_);
}

void PushButton::InvalidateAll() noexcept {
    painted_.valid = false;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void PushButton::SetForeColor(ColorValue color) {
    foreColor_ = color;
    InvalidateAll();
}

void PushButton::SetBackColor(ColorValue color) {
    backColor_ = color;
    InvalidateAll();
}

void PushButton::SetFontSize(double points) {
    if (!std::isfinite(points) || points <= 0 || points > kMaxFontSize) {
        throw AppError(Tr(IDS_FONT_SIZE_IMPOSSIBLE, {SizeText(points), L"0", SizeText(kMaxFontSize)}));
    }
    font_.points = points;
    ApplyFont();
}

void PushButton::SetWidth(double twips) {
    widthTwips_ = twips < 0 ? 0 : twips;
    ApplyGeometry();
}

void PushButton::SetHeight(double twips) {
    heightTwips_ = twips < 0 ? 0 : twips;
    ApplyGeometry();
}

void PushButton::SetDefault(bool isDefault) {
    isDefault_ = isDefault;
    InvalidateAll();
}

void PushButton::SetCaptionReading(CaptionReading reading) {
    if (reading_ == reading) return;
    reading_ = reading;
    InvalidateAll();
}

void PushButton::SetSkin(std::optional<FaceSkin> skin) {
    skin_ = std::move(skin);
    ApplyFont();
    InvalidateAll();
}

void PushButton::SetDpi(int dpi) noexcept {
    dpi_ = dpi;
    ApplyGeometry();
    ApplyFont();
}

bool PushButton::PressedByEnter() const noexcept {
    // The focused button is the one Enter presses; while the focus is elsewhere (a check box, the
    // text box) it is the window's default button, as in a dialog.
    HWND focus = GetFocus();
    if (focus == hwnd_) return true;
    return isDefault_ && !(focus && GetParent(focus) == GetParent(hwnd_) && IsOurButton(focus));
}

void PushButton::Clicked() const noexcept {
    if (!onClick) return;
    // Handlers report their own failures; nothing may unwind into the window procedure.
    CarryOn("PushButton::Clicked", [&] { onClick(); });
}

void PushButton::ApplyFont() noexcept {
    const bool skinFont = skin_ && !skin_->font.empty();
    const std::wstring face = skinFont ? skin_->font : std::wstring(font_.face);
    const int weight = skin_ && skin_->weight ? *skin_->weight : font_.weight;
    const BOOL italic = skin_ && skin_->italic && *skin_->italic;
    UniqueFont font(CreateFontW(PointsToFontHeight(font_.points, dpi_), 0, 0, 0, weight, italic, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, face.c_str()));
    if (!font) return;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    hfont_ = std::move(font);  // the old font goes only after the button has let go of it
    fitFont_.reset();
    fitRoom_ = 0;
    painted_.valid = false;  // measured in the old font
    laidOut_ = {};           // a new font may take the old one's handle
}

HFONT PushButton::FontFitting(HDC dc, int room) const noexcept {
    HFONT chosen = hfont_ ? hfont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (room <= 0) return chosen;
    if (room != fitRoom_) {
        fitRoom_ = room;
        fitFont_.reset();
        laidOut_ = {};
        TEXTMETRICW metrics{};
        {
            const SelectedObject measured(dc, chosen);
            GetTextMetricsW(dc, &metrics);
        }
        // Taller than the face, every letter would lose its top and bottom: the face draws the
        // largest size that fits. The chosen size stays the button's font and the stored setting.
        LOGFONTW font{};
        if (metrics.tmHeight - metrics.tmInternalLeading > room && GetObjectW(chosen, sizeof font, &font)) {
            font.lfHeight = -room;
            font.lfWidth = 0;
            fitFont_.reset(CreateFontIndirectW(&font));
        }
    }
    return fitFont_ ? fitFont_.get() : chosen;
}

void PushButton::ApplyGeometry() noexcept {
    SetWindowPos(hwnd_, nullptr, TwipsToPixels(leftTwips_, dpi_), TwipsToPixels(topTwips_, dpi_),
                 TwipsToPixels(widthTwips_, dpi_), TwipsToPixels(heightTwips_, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT PushButton::AnswerScreenReader(HWND hwnd, WPARAM wParam, LPARAM lParam, const PushButton* self) noexcept {
    // The system calls an owner-drawn button a client area: a reader is told it is a push button
    // named by the caption exactly as drawn (no mnemonic taken out), read when asked.
    // Should that fail (out of memory), the system's own object answers.
    return CarryOnOr("PushButton::AnswerScreenReader", LRESULT{0}, [&] {
        AccessibleFacts facts;
        facts.role = ROLE_SYSTEM_PUSHBUTTON;
        facts.name = [hwnd] {
            std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
            const int copied = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
            text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
            return text;
        };
        if (self && !self->description_.empty()) {
            facts.description = [description = self->description_] { return description; };
        }
        return AccessibleControl::Answer(hwnd, wParam, lParam, std::move(facts));
    });
}

// A press that moves further than a drag starts takes the window along; true when it has.
bool PushButton::FollowDrag(HWND hwnd, UINT message, WPARAM wParam) noexcept {
    if (message == WM_LBUTTONDOWN) {
        POINT at;
        GetCursorPos(&at);
        pressedAt_ = at;
    } else if (message == WM_LBUTTONUP || message == WM_CAPTURECHANGED) {
        pressedAt_.reset();
    } else if (message == WM_MOUSEMOVE && pressedAt_ && (wParam & MK_LBUTTON)) {
        POINT at;
        GetCursorPos(&at);
        if (std::abs(at.x - pressedAt_->x) > GetSystemMetrics(SM_CXDRAG) ||
            std::abs(at.y - pressedAt_->y) > GetSystemMetrics(SM_CYDRAG)) {
            // A drag, not a click: the button lets go without clicking, and the window moves
            // as if its caption had been taken, the point pressed staying under the pointer.
            const POINT pressed = *pressedAt_;
            pressedAt_.reset();
            SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
            ReleaseCapture();
            HWND window = GetAncestor(hwnd, GA_ROOT);
            RECT frame;
            GetWindowRect(window, &frame);
            SetWindowPos(window, nullptr, frame.left + at.x - pressed.x, frame.top + at.y - pressed.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK PushButton::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR refData) noexcept {
    auto* self = reinterpret_cast<PushButton*>(refData);
    if ((message == WM_GETTEXT || message == WM_GETTEXTLENGTH || message == WM_GETOBJECT) && self &&
        self->onCaptionAsked && !self->answeringCaption_) {
        self->answeringCaption_ = true;
        CarryOn("PushButton::SubclassProc", [&] { self->onCaptionAsked(); });
        self->answeringCaption_ = false;
    }
    if (message == WM_GETDLGCODE) {
        // An owner-drawn button says only "button": the dialog manager would then never let Enter
        // press it. It is a push button, the default one while it has the focus.
        return DLGC_BUTTON | (GetFocus() == hwnd ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    if (message == WM_SETTEXT && self && lParam) {
        // Set from outside (SetWindowText): kept as the caption too.
        CarryOn("PushButton::SubclassProc", [&] { self->caption_ = reinterpret_cast<const wchar_t*>(lParam); });
    }
    if (message == WM_GETOBJECT) {
        if (const LRESULT answer = AnswerScreenReader(hwnd, wParam, lParam, self)) return answer;
    }
    if (message == BM_SETSTYLE) {
        // Asked to become or stop being the default: keep drawing it ourselves.
        if (self) self->isDefault_ = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
    }
    if ((message == WM_SETFOCUS || message == WM_KILLFOCUS) && GetParent(hwnd)) {
        // Which button Enter presses has changed: every button of the window shows it again.
        RedrawWindow(GetParent(hwnd), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    if (self && self->movesWindow_ && self->FollowDrag(hwnd, message, wParam)) return 0;
    if (message == WM_MOUSEMOVE && self && self->onMouseMove) {
        CarryOn("PushButton::SubclassProc", [&] { self->onMouseMove(); });
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &PushButton::SubclassProc, kSubclassId);
        if (self) self->hwnd_ = nullptr;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace tellurane
