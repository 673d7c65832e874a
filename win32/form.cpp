#include "win32/form.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "logic/layout_fit.h"
#include "logic/twips.h"
#include "win32/accessible.h"
#include "win32/boundary.h"
#include "win32/dpi.h"
#include "win32/language.h"

namespace tellurane {
namespace {

bool HasFrames(const WindowLayout& layout) {
    for (const ControlLayout& control : layout.controls) {
        if (control.kind == ControlKind::Frame) return true;
    }
    return false;
}

DWORD StyleFor(const WindowLayout& layout) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    // Frames paint only their border: the window must paint what lies inside them.
    if (!HasFrames(layout)) style |= WS_CLIPCHILDREN;
    if (layout.sizable) style |= WS_THICKFRAME;
    if (layout.minimizeButton) style |= WS_MINIMIZEBOX;
    if (layout.maximizeButton) style |= WS_MAXIMIZEBOX;
    return style;
}

// An owned window has no taskbar button of its own unless it asks for one: every form does.
// In a language read right to left, a form is mirrored, its controls with it.
DWORD ExStyleFor(const WindowLayout& layout) {
    return WS_EX_CONTROLPARENT | WS_EX_APPWINDOW | (layout.mirrors && RightToLeft() ? WS_EX_LAYOUTRTL : 0);
}

// The system's control for every kind but the push button, which is ours.
HWND CreateSystemControl(HWND parent, const ControlLayout& control, const RECT& place) {
    const std::wstring caption = Resolve(control.caption);
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id));
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const auto make = [&](DWORD exStyle, const wchar_t* type, const wchar_t* text, DWORD style) {
        return CreateWindowExW(exStyle, type, text, child | style, place.left, place.top, place.right - place.left,
                               place.bottom - place.top, parent, id, GetModuleHandleW(nullptr), nullptr);
    };
    switch (control.kind) {
        case ControlKind::TextBox:
            return make(WS_EX_CLIENTEDGE, L"EDIT", caption.c_str(), WS_TABSTOP | ES_AUTOHSCROLL);
        case ControlKind::Frame:
            return make(0, L"BUTTON", caption.c_str(), BS_GROUPBOX);
        case ControlKind::CheckBox: {
            // Three states: a stored 2 shows grey; clicks only ever toggle between 0 and 1.
            HWND box = make(0, L"BUTTON", caption.c_str(), WS_TABSTOP | BS_3STATE);
            // Some systems' objects (Wine's) call a check box a client area with no state: a reader is
            // told it is a check box, ticked, clear or grey as the box is when asked. Its name stays the
            // system's (the caption).
            DescribeToScreenReaders(box, AccessibleFacts{ROLE_SYSTEM_CHECKBUTTON, {}, {}, {}});
            return box;
        }
        case ControlKind::PictureBox:
            return make(WS_EX_CLIENTEDGE, L"STATIC", L"", SS_NOTIFY);
        case ControlKind::Label:
            return make(0, L"STATIC", caption.c_str(), SS_LEFT);
        case ControlKind::ComboBox:
            // The height given is the open list's; the closed box takes the font's.
            return make(0, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
        case ControlKind::DropDownList:
            return make(0, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
        case ControlKind::ListView: {
            HWND list = make(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                             WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);
            if (list) {
                SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                             LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
            }
            return list;
        }
        case ControlKind::TimePicker:
        case ControlKind::DatePicker: {
            // Registered only when first wanted: most runs never open a window with one.
            const INITCOMMONCONTROLSEX pickers{sizeof pickers, ICC_DATE_CLASSES};
            InitCommonControlsEx(&pickers);
            const DWORD style = control.kind == ControlKind::TimePicker ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
            return make(0, DATETIMEPICK_CLASSW, L"", WS_TABSTOP | style);
        }
        case ControlKind::PushButton:
            break;
    }
    return nullptr;
}

}  // namespace

UniqueFont CreateLayoutFont(const FontSpec& spec, int dpi) {
    const std::wstring face(spec.face);
    return UniqueFont(CreateFontW(PointsToFontHeight(spec.points, dpi), 0, 0, 0, spec.weight, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, face.c_str()));
}

Form::Form(const WindowLayout& layout) : layout_(layout), backColor_(layout.backColor) {}

Form::~Form() {
    if (Handle()) DestroyWindow(Handle());
}

bool Form::Create(HWND owner, std::wstring_view caption) {
    const std::wstring className(layout_.name);
    if (!RegisterWindowClass(className.c_str(), nullptr)) return false;

    // Centred on the owner's monitor (the primary one without an owner), at the client size the
    // layout gives for that monitor's DPI. A centred owned window is a dialog: the screen, not the
    // work area, is what the layout's centring means for the main window.
    RECT ownerRect{};
    if (owner) GetWindowRect(owner, &ownerRect);
    HMONITOR target = owner ? MonitorFromRect(&ownerRect, MONITOR_DEFAULTTONEAREST)
                            : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(target, &monitor);
    const RECT& screen = owner ? monitor.rcWork : monitor.rcMonitor;
    const POINT centre{screen.left + (screen.right - screen.left) / 2, screen.top + (screen.bottom - screen.top) / 2};
    dpi_ = DpiForPoint(centre);
    RECT rect{0, 0, TwipsToPixels(layout_.clientWidth, dpi_), TwipsToPixels(layout_.clientHeight, dpi_)};
    AdjustWindowRectForDpi(rect, StyleFor(layout_), ExStyleFor(layout_), dpi_);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    rect.left = screen.left + (screen.right - screen.left - width) / 2;
    rect.top = screen.top + (screen.bottom - screen.top - height) / 2;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;

    // Made with its own title, so that no one (a screen reader, the taskbar) sees a moment of another.
    const std::wstring title = caption.empty() ? Resolve(layout_.caption) : std::wstring(caption);
    if (!CreateNativeWindow(className.c_str(), title.c_str(), StyleFor(layout_), ExStyleFor(layout_), rect, owner)) {
        return false;
    }
    const int plannedDpi = dpi_;
    const int actualDpi = DpiForWindow(Handle());
    font_ = CreateLayoutFont(layout_.font, actualDpi);
    dpi_ = actualDpi;
    FitToTexts(screen);
    CreateControls();
    if (actualDpi != plannedDpi) ApplyDpi(actualDpi);
    return true;
}

namespace {

constexpr UINT_PTR kMenuUpSubclass = 0x4D55;

LRESULT CALLBACK PassMenuUp(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_CONTEXTMENU) {
        return SendMessageW(GetParent(control), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), lParam);
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, &PassMenuUp, kMenuUpSubclass);
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void Form::PassMenuRequestsUp(int id) noexcept {
    if (HWND control = Control(id)) SetWindowSubclass(control, &PassMenuUp, kMenuUpSubclass, 0);
}

void Form::CreateControls() {
    controls_.reserve(layout_.controls.size());
    for (const ControlLayout& control : layout_.controls) {
        ControlRecord record;
        record.layout = &control;
        record.backColor = control.backColor;
        const TwipsPoint at = ClientPosition(layout_, control);
        record.left = at.x;
        record.top = at.y;
        if (control.kind == ControlKind::PushButton) {
            record.button = std::make_unique<PushButton>();
            record.button->Create(Handle(), control, at.x, at.y, dpi_);
            record.hwnd = record.button->Handle();
        } else {
            const int x = TwipsToPixels(at.x, dpi_), y = TwipsToPixels(at.y, dpi_);
            const RECT place{x, y, x + TwipsToPixels(control.width, dpi_), y + TwipsToPixels(control.height, dpi_)};
            record.hwnd = CreateSystemControl(Handle(), control, place);
            if (record.hwnd && control.kind == ControlKind::Frame) PaintFrameOurselves(record.hwnd);
            if (record.hwnd) SendMessageW(record.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        }
        controls_.push_back(std::move(record));
    }
}

void Form::ApplyDpi(int dpi) noexcept {
    dpi_ = dpi;
    UniqueFont font = CreateLayoutFont(layout_.font, dpi);
    for (ControlRecord& record : controls_) {
        if (record.button) {
            record.button->SetDpi(dpi);
            continue;
        }
        SetWindowPos(record.hwnd, nullptr, TwipsToPixels(record.left, dpi), TwipsToPixels(record.top, dpi),
                     TwipsToPixels(record.layout->width, dpi), TwipsToPixels(record.layout->height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (font) SendMessageW(record.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    if (font) font_ = std::move(font);
}

const Form::ControlRecord* Form::Find(int id) const noexcept {
    for (const auto& record : controls_) {
        if (record.layout->id == id) return &record;
    }
    return nullptr;
}

const Form::ControlRecord* Form::Find(HWND hwnd) const noexcept {
    for (const auto& record : controls_) {
        if (record.hwnd == hwnd) return &record;
    }
    return nullptr;
}

HWND Form::Control(int id) const noexcept {
    const ControlRecord* record = Find(id);
    return record ? record->hwnd : nullptr;
}

PushButton& Form::Button(int id) {
    const ControlRecord* record = Find(id);
    return *record->button;  // the ids come from this window's own layout
}

void Form::SetCaption(std::wstring_view caption) noexcept {
    CarryOn("Form::SetCaption", [&] {
        const std::wstring text(caption);
        SetWindowTextW(Handle(), text.c_str());
    });
}

void Form::SetIcons(HICON big, HICON small) noexcept {
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (const std::optional<LRESULT> handled = HandleEdgeMessage(message, wParam, lParam)) return *handled;
    switch (message) {
        case WM_ERASEBKGND:
            return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
        case WM_SETTINGCHANGE:
            OnColorsChanged();
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NEXTDLGCTL:
            // The dialog manager moves the focus so (an access key on a label names the field after it);
            // only a dialog's own procedure would answer it.
            MoveFocus(wParam, LOWORD(lParam) != 0);
            return 0;
        case WM_DRAWITEM:
            if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_COMMAND:
            OnCommandMessage(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
            break;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_SIZE:
            OnResized();
            break;
        case WM_MOUSEMOVE:
            OnMouseMove();
            break;
        case WM_DPICHANGED: {
            const bool wasInside = insideWorkArea_;  // before the suggested rectangle is applied
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            OnWorkAreaChanged(wasInside);
            return 0;
        }
        case WM_SYSCOMMAND:
            if (OnSystemCommand(wParam)) return 0;
            break;
        case WM_CLOSE:
            if (!OnClose()) DestroyWindow(Handle());
            return 0;
        default:
            break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

bool Form::OnDrawItem(const DRAWITEMSTRUCT& item) noexcept {
    const ControlRecord* record = Find(item.hwndItem);
    if (!record || !record->button) return false;
    record->button->Draw(item);
    return true;
}

void Form::OnCommandMessage(int id, int code, HWND control) noexcept {
    const ControlRecord* record = Find(control);
    // Enter, as the dialog manager sends it for the default button, names the first window it finds with
    // that id, which may be another control's own child (a date picker's up-down is number 1 too): the
    // form's own control of that id is meant.
    if (!record && code == BN_CLICKED && (!control || GetParent(control) != Handle())) record = Find(id);
    if (record && record->button && code == BN_CLICKED) record->button->Clicked();
    OnCommand(id, code);
}

void Form::MoveFocus(WPARAM which, bool isWindow) noexcept {
    HWND target = isWindow ? reinterpret_cast<HWND>(which) : GetNextDlgTabItem(Handle(), GetFocus(), which != 0);
    if (!target || !IsChild(Handle(), target)) return;
    SetFocus(target);
    // As in a dialog, a text box reached so is wholly selected: what is typed replaces it.
    if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

void Form::OnActivate(bool active) noexcept {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) focusedControl_ = focus;
        return;
    }
    // Like a dialog: the focus goes back where it was, or to the first control in tab order.
    HWND target = focusedControl_ && IsWindow(focusedControl_) ? focusedControl_
                                                               : GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (target) SetFocus(target);
}

void Form::OnDpiChanged(int dpi, const RECT& suggested) noexcept {
    ApplyDpi(dpi);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The taskbar menu and keyboard shortcuts offer these even without the caption buttons: true
// refuses the command.
bool Form::OnSystemCommand(WPARAM command) noexcept {
    const WPARAM kind = command & 0xFFF0;
    return (kind == SC_MAXIMIZE && !layout_.maximizeButton) || (kind == SC_MINIMIZE && !layout_.minimizeButton) ||
           (kind == SC_SIZE && !layout_.sizable);
}

}  // namespace tellurane
