#pragma once
// What a window holds when it is created, in twips, before any handler runs: the form built from a
// layout reads it, and the layouts of this program's windows are written in it.

#include <span>
#include <string_view>

#include "logic/color_value.h"
#include "logic/texts.h"

namespace tellurane {

// Label: a line of text that names the control after it (its & gives that control's access key).
// ComboBox: a text box with a list of choices; DropDownList: a list of choices only.
enum class ControlKind {
    TextBox,
    PushButton,
    Frame,
    CheckBox,
    PictureBox,
    Label,
    ComboBox,
    DropDownList,
    ListView,    // a list in columns, each row with a check box
    TimePicker,  // Windows' own picker of a time of day, in the user's format
    DatePicker,  // and of a date
};

struct FontSpec {
    std::wstring_view face;
    double points;
    int weight;
};

inline constexpr int kBold = 700;

// A window's or control's text: one of the program's own, in the user's language, or a fixed one
// (a name no one reads, a number).
struct LayoutText {
    constexpr LayoutText(const wchar_t* text = L"") : fixed(text) {}  // NOLINT(google-explicit-constructor)
    constexpr LayoutText(TextId text) : id(text) {}                   // NOLINT(google-explicit-constructor)
    std::wstring_view fixed;
    TextId id = 0;
};
std::wstring Resolve(const LayoutText& text);

struct ControlLayout {
    std::wstring_view name;
    ControlKind kind;
    int id;                        // child-window identifier
    int containerId;               // 0: the window's client area; otherwise the frame it sits in
    int left, top, width, height;  // twips, from the inside of the container
    LayoutText caption;
    int tabIndex;
    bool hasFont;  // otherwise the window's font
    FontSpec font;
    ColorValue foreColor;
    ColorValue backColor;
    bool wraps = false;  // a label whose longer texts take more lines, not more width
};

struct WindowLayout {
    std::wstring_view name;  // the window class it is made of: the program names its own
    LayoutText caption;
    int clientWidth, clientHeight;  // twips
    bool sizable;
    bool minimizeButton;
    bool maximizeButton;
    ColorValue backColor;
    FontSpec font;
    std::span<const ControlLayout> controls;  // in tab order
    bool mirrors = true;  // laid out right to left in a language that reads so (a clock's face does not)
};

// The control's left and top from the window's client area, adding its frame's position.
struct TwipsPoint {
    int x, y;
};
TwipsPoint ClientPosition(const WindowLayout& window, const ControlLayout& control);

struct TwipsSize {
    double width, height;
};

// The size that keeps a control's margins to the right and bottom of the client area as the layout
// has them, for a client area of this size; never below zero.
TwipsSize FaceSizeForClient(const WindowLayout& window, int controlId, double clientWidth, double clientHeight);

}  // namespace tellurane
