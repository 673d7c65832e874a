#pragma once
// A top-level window built from its layout: the native window at the layout's client size for
// its DPI, its child controls at their twips positions, their fonts and background colours.
// Geometry stays in twips and is turned into pixels again whenever the window's DPI changes.
// One class, its members kept by concern: form.cpp (building, DPI, the message dispatch),
// form_geometry.cpp (twips geometry and placement), form_edges.cpp (edges a move lines up with,
// keeping inside the work area), form_colors.cpp (background colours and brushes), form_pointer.cpp
// (the mouse pointer).

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "logic/color_value.h"
#include "logic/placement.h"
#include "logic/window_layout.h"
#include "win32/handles.h"
#include "win32/push_button.h"
#include "win32/window.h"

namespace tellurane {

// The font a layout names, at a DPI.
UniqueFont CreateLayoutFont(const FontSpec& spec, int dpi);

// Mouse-pointer codes of a window.
enum class MousePointer { Default = 0, Hourglass = 11, Custom = 99 };

class Form : public Window {
public:
    explicit Form(const WindowLayout& layout);
    ~Form() override;

    // Creates the window (hidden) and its controls, centred on the primary screen, or on the
    // owner's monitor when it has one (an owned window stays above its owner and off the taskbar).
    // caption: the title, when not the layout's.
    bool Create(HWND owner = nullptr, std::wstring_view caption = {});

    const WindowLayout& Layout() const noexcept { return layout_; }
    int Dpi() const noexcept { return dpi_; }

    HWND Control(int id) const noexcept;
    PushButton& Button(int id);

    ColorValue BackColor() const noexcept { return backColor_; }
    void SetBackColor(ColorValue color) noexcept;
    ColorValue ControlBackColor(int id) const noexcept;
    void SetControlBackColor(int id, ColorValue color) noexcept;
    // Frames, check boxes, option buttons and labels: the controls that take the window's colours.
    std::vector<int> PlainControlIds() const;

    // Outer geometry in twips of the normal (not minimised) place: the position at the system DPI,
    // the size at the DPI of the window's monitor, so that each number means one thing on any mix
    // of monitor scalings.
    double Top() const noexcept;
    double Left() const noexcept;
    double Width() const noexcept;
    double Height() const noexcept;
    void SetTop(double twips) noexcept;
    void SetLeft(double twips) noexcept;
    void SetWidth(double twips) noexcept;
    void SetHeight(double twips) noexcept;
    // A window that touches no monitor (one unplugged since it was placed) goes wholly onto the nearest.
    void BringOntoAMonitor() noexcept;
    // The client area's size in twips at the window's DPI.
    double ClientWidth() const noexcept;
    double ClientHeight() const noexcept;

    // The window's normal (not minimised) rectangle, in screen pixels.
    RECT NormalRect() const noexcept;

    // While the user drags the window, it lines up with the edges of its monitor's work area and of the
    // windows otherWindows gives (screen rectangles), within 10 pixels at 96 DPI; Alt held turns that off.
    void SnapToEdges(std::function<std::vector<RECT>()> otherWindows);

    // A control that would answer a menu request itself (an edit box has its own Cut, Copy and Paste
    // menu) hands it to the window instead, the Menu key and Shift+F10 included.
    void PassMenuRequestsUp(int id) noexcept;

    void SetCaption(std::wstring_view caption) noexcept;
    void SetIcons(HICON big, HICON small) noexcept;

    MousePointer Pointer() const noexcept { return pointer_; }
    void SetPointer(MousePointer pointer) noexcept;
    // A cursor that outlives the window (LoadCursorFile's).
    void SetMouseIcon(HCURSOR cursor) noexcept;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    // Hooks for the windows built on this one.
    virtual void OnCommand(int /*id*/, int /*code*/) noexcept {}
    virtual void OnResized() noexcept {}
    virtual bool OnClose() noexcept { return false; }  // true: handled, do not destroy
    virtual void OnMouseMove() noexcept {}             // over the window's own surface or a frame

private:
    struct ControlRecord {
        const ControlLayout* layout = nullptr;
        HWND hwnd = nullptr;
        ColorValue backColor = kWhite;
        std::unique_ptr<PushButton> button;
        double left = 0, top = 0;  // twips in the client area
    };

    // Before the controls are made: their texts in the window's language get the room they need.
    void FitToTexts(const RECT& screen);
    void CreateControls();
    void ApplyDpi(int dpi) noexcept;
    const ControlRecord* Find(int id) const noexcept;
    const ControlRecord* Find(HWND hwnd) const noexcept;
    StoredPlace Place() const noexcept;
    void MoveTo(const StoredPlace& place, bool bringOnScreen) noexcept;
    void SetPlaceField(double StoredPlace::*field, double twips) noexcept;
    HBRUSH BrushFor(COLORREF rgb) noexcept;

    // What HandleMessage hands each message to. A bool answers "handled": a message left
    // unhandled goes on to the default handling.
    LRESULT OnEraseBackground(HDC dc) noexcept;
    LRESULT OnControlColor(HDC dc, HWND control) noexcept;
    // The system's colours, theme or contrast setting changed: everything paints again, at once.
    void OnColorsChanged() noexcept;
    // A frame's title in the colours this window gives it, which a group box does not always take.
    static void PaintFrameOurselves(HWND frame) noexcept;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) noexcept;
    void OnCommandMessage(int id, int code, HWND control) noexcept;
    bool OnSetCursor(HWND over, WORD hitTest) noexcept;
    void OnActivate(bool active) noexcept;
    // WM_NEXTDLGCTL: to that window, or to the next (or previous) field in tab order.
    void MoveFocus(WPARAM which, bool isWindow) noexcept;
    void OnDpiChanged(int dpi, const RECT& suggested) noexcept;
    bool OnSystemCommand(WPARAM command) noexcept;
    // form_edges.cpp: a move and the edges it lines up with; a window wholly inside its monitor's work
    // area is kept inside when the work area shrinks or moves (the taskbar, the display, the scaling).
    // nullopt: the message goes on to the rest of HandleMessage.
    std::optional<LRESULT> HandleEdgeMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void OnEnterSizeMove() noexcept;
    void OnMoving(RECT& proposed) noexcept;
    void OnExitSizeMove() noexcept;
    void OnPositionChanged(const WINDOWPOS& position) noexcept;
    void OnWorkAreaChanged(bool wasInside) noexcept;
    bool InsideWorkArea() const noexcept;

    WindowLayout layout_;  // as given, or with room made for its texts (controls_ point into it)
    std::vector<ControlLayout> fittedControls_;
    int dpi_ = 96;
    ColorValue backColor_;
    std::vector<ControlRecord> controls_;
    UniqueFont font_;
    std::map<COLORREF, UniqueBrush> brushes_;
    MousePointer pointer_ = MousePointer::Default;
    HCURSOR mouseIcon_ = nullptr;
    HWND focusedControl_ = nullptr;
    std::function<std::vector<RECT>()> snapTargets_;
    bool inSizeMove_ = false;
    bool altDragged_ = false;      // the move ended with Alt still held
    std::optional<POINT> grab_;    // the pointer less the window's top-left, from the move's first step
    bool insideWorkArea_ = false;  // as the window was last placed
};

// How far a window's rectangle reaches beyond what is seen of it (DWM's answer), or what a test puts in
// its place; returns the reader it replaces (nullptr: the real one).
using FrameInsetReader = FrameInset (*)(HWND window);
FrameInsetReader SetFrameInsetReader(FrameInsetReader reader) noexcept;

// The screen rectangles, as seen, of this thread's visible windows made from these layouts, but for one.
std::vector<RECT> VisibleFormRects(std::initializer_list<const WindowLayout*> layouts, HWND except);

// The cursor of a cursor file, loaded the first time and kept for the process's life; AppError when
// the file holds no cursor.
HCURSOR LoadCursorFile(const std::wstring& path);
// LoadImageW with LR_LOADFROMFILE, or what a test puts in its place.
using CursorFileLoader = HCURSOR (*)(const wchar_t* path);
CursorFileLoader SetCursorFileLoader(CursorFileLoader loader) noexcept;

}  // namespace tellurane
