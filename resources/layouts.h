#pragma once
// What each window holds when it is created, in twips, before any handler runs.

#include <span>
#include <string_view>

#include "core/color_value.h"

namespace tellurane {

enum class ControlKind { TextBox, PushButton, Frame, CheckBox, PictureBox };

struct FontSpec {
    std::wstring_view face;
    double points;
    int weight;
};

inline constexpr int kBold = 700;

struct ControlLayout {
    std::wstring_view name;
    ControlKind kind;
    int id;                       // child-window identifier
    int containerId;              // 0: the window's client area; otherwise the frame it sits in
    int left, top, width, height; // twips, from the inside of the container
    std::wstring_view caption;
    int tabIndex;
    bool hasFont;                 // otherwise the window's font
    FontSpec font;
    ColorValue foreColor;
    ColorValue backColor;
};

struct WindowLayout {
    std::wstring_view name;
    std::wstring_view caption;
    int clientWidth, clientHeight;  // twips
    bool sizable;
    bool minimizeButton;
    bool maximizeButton;
    ColorValue backColor;
    FontSpec font;
    std::span<const ControlLayout> controls;  // in tab order
};

// Control identifiers, shared by the windows and the tests that drive them.
namespace form1 {
inline constexpr int kText1 = 101;
inline constexpr int kPushButton1 = 102;
inline constexpr unsigned kTimer1IntervalMs = 1000;
inline constexpr std::wstring_view kFaceTooltip = L"Click here for more options";
}  // namespace form1

namespace form2 {
inline constexpr int kFrame2 = 201;
inline constexpr int kCheck1 = 202;
inline constexpr int kCheck3 = 203;
inline constexpr int kFrame1 = 204;
inline constexpr int kText1 = 205;
inline constexpr int kFrame3 = 206;
inline constexpr int kPicture1 = 207;
inline constexpr int kPushButton3 = 208;
inline constexpr int kFrame4 = 209;
inline constexpr int kCheck2 = 210;
inline constexpr int kCheck6 = 211;
inline constexpr int kCheck4 = 212;
inline constexpr int kPushButton1 = 1;  // IDOK: Enter presses it through the dialog manager
}  // namespace form2

const WindowLayout& Form1Layout();
const WindowLayout& Form2Layout();

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
