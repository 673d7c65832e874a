// Room for each control's text in the window's language: measured with the control's own font,
// then made by the layout's fitting (columns and rows put in where a text lacks room).
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "logic/layout_fit.h"
#include "logic/twips.h"
#include "win32/dpi.h"
#include "win32/form.h"

namespace tellurane {
namespace {

struct Extent {
    int width, height;  // pixels
};

Extent Measure(HDC dc, const std::wstring& text, int wrapWidth) {
    RECT rect{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_NOCLIP | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    return {rect.right - rect.left, rect.bottom - rect.top};
}

double ToTwips(int pixels, int dpi) { return std::ceil(pixels * 1440.0 / dpi); }

// What a control draws beside its text: a check box its box, a frame its border, a button its edge.
std::optional<TextRoom> RoomFor(HDC dc, const ControlLayout& control, int dpi) {
    const std::wstring text = Resolve(control.caption);
    if (text.empty()) return std::nullopt;
    const auto px = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    switch (control.kind) {
        case ControlKind::CheckBox: {
            const Extent e = Measure(dc, text, 0);
            const int box = MulDiv(GetSystemMetrics(SM_CXMENUCHECK), dpi, SystemDpi()) + px(8);
            return TextRoom{control.id, ToTwips(e.width + box, dpi), ToTwips(e.height, dpi)};
        }
        case ControlKind::Frame:
            return TextRoom{control.id, ToTwips(Measure(dc, text, 0).width + px(18), dpi), 0};
        case ControlKind::PushButton: {
            const Extent e = Measure(dc, text, 0);
            return TextRoom{control.id, ToTwips(e.width + px(12), dpi), ToTwips(e.height + px(4), dpi)};
        }
        case ControlKind::Label: {
            const Extent e = Measure(dc, text, control.wraps ? TwipsToPixels(control.width, dpi) : 0);
            return TextRoom{control.id, control.wraps ? 0 : ToTwips(e.width + px(1), dpi), ToTwips(e.height, dpi)};
        }
        default:
            return std::nullopt;
    }
}

}  // namespace

void Form::FitToTexts(const RECT& screen) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return;
    std::vector<TextRoom> needs;
    for (const ControlLayout& control : layout_.controls) {
        UniqueFont own = control.hasFont ? CreateLayoutFont(control.font, dpi_) : UniqueFont();
        const HGDIOBJ before = SelectObject(dc.get(), own ? own.get() : font_.get());
        if (const auto room = RoomFor(dc.get(), control, dpi_)) needs.push_back(*room);
        SelectObject(dc.get(), before);
    }
    FittedLayout fitted = tellurane::FitToTexts(layout_, needs);
    if (fitted.clientWidth == layout_.clientWidth && fitted.clientHeight == layout_.clientHeight) return;
    fittedControls_ = std::move(fitted.controls);
    layout_.controls = fittedControls_;
    layout_.clientWidth = fitted.clientWidth;
    layout_.clientHeight = fitted.clientHeight;

    // The window grows about its centre, and stays on its screen.
    RECT rect{0, 0, TwipsToPixels(layout_.clientWidth, dpi_), TwipsToPixels(layout_.clientHeight, dpi_)};
    AdjustWindowRectForDpi(rect, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), dpi_);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int left = std::max(screen.left, screen.left + (screen.right - screen.left - width) / 2);
    const int top = std::max(screen.top, screen.top + (screen.bottom - screen.top - height) / 2);
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tellurane
