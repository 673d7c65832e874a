#pragma once
// What a screen reader is told about a control whose system description falls short: to the
// system an owner-drawn button is only "a client area", and a colour swatch has no words at all.
// AccessibleControl answers the few questions we know better and hands every other one to the
// system's own object for the window.

#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>

namespace tellurane {

struct AccessibleFacts {
    long role = 0;  // a ROLE_SYSTEM_ value; 0: the system's. A check button's state is its box's.
    // Read each time a reader asks, so that they follow the control; unset: the system's answer.
    std::function<std::wstring()> name;
    std::function<std::wstring()> value;
    std::function<std::wstring()> description;
};

// Gives a control these facts for as long as it exists: its WM_GETOBJECT is answered with them. The
// facts' functions must stay valid as long as the window does.
void DescribeToScreenReaders(HWND control, AccessibleFacts facts) noexcept;

// COM interfaces have no virtual destructor: an object goes through Release, never a delete of them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AccessibleControl final : public IAccessible {
public:
    // Answers WM_GETOBJECT: for the window's client area, an object telling these facts; 0 for any
    // other object (or when none could be made), which the window's default handling then answers.
    // The facts' functions run only on the window's thread and only while the window exists.
    static LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam, AccessibleFacts facts) noexcept;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    // IDispatch: the system object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) noexcept override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) noexcept override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept override;

    // IAccessible: ours for the control itself, the system object's for everything else.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) noexcept override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) noexcept override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) noexcept override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) noexcept override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) noexcept override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) noexcept override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) noexcept override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) noexcept override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) noexcept override;

    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;

private:
    AccessibleControl(HWND window, IAccessible* standard, AccessibleFacts facts) noexcept;
    ~AccessibleControl();

    // A fact asked about the control itself while it can still be read; otherwise nullptr, and the
    // system's object answers.
    const std::function<std::wstring()>* Ours(const std::function<std::wstring()>& fact,
                                              const VARIANT& child) const noexcept;
    static HRESULT Give(const std::function<std::wstring()>& fact, BSTR* text) noexcept;

    LONG references_ = 1;
    HWND window_;
    IAccessible* standard_;  // owned: one reference
    AccessibleFacts facts_;
};
#pragma GCC diagnostic pop

}  // namespace tellurane
