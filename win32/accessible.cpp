#include "win32/accessible.h"

#include <commctrl.h>

#include <utility>

#include "win32/boundary.h"
#include "win32/system_library.h"

namespace tellurane {
namespace {

constexpr UINT_PTR kDescribedSubclass = 1;

// oleacc.dll is no KnownDLL: imported, it would be looked for in the program's folder first, before
// wWinMain could stop it. It is loaded from System32 when a reader first asks, and kept.
struct Oleacc {
    using CreateStd = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    CreateStd createStd = SystemFunction<CreateStd>(L"oleacc.dll", "CreateStdAccessibleObject");
    FromObject fromObject = SystemFunction<FromObject>(L"oleacc.dll", "LresultFromObject");
};

// oleaut32 too is needed only while a reader asks.
BSTR AllocateText(const wchar_t* text, UINT length) noexcept {
    static const auto allocate = SystemFunction<BSTR(WINAPI*)(const OLECHAR*, UINT)>(L"oleaut32.dll",
                                                                                     "SysAllocStringLen");
    return allocate ? allocate(text, length) : nullptr;
}

void InitVariant(VARIANT* variant) noexcept {
    static const auto init = SystemFunction<void(WINAPI*)(VARIANT*)>(L"oleaut32.dll", "VariantInit");
    if (init) {
        init(variant);
    } else {
        variant->vt = VT_EMPTY;
    }
}

HRESULT ClearVariant(VARIANT* variant) noexcept {
    static const auto clear = SystemFunction<HRESULT(WINAPI*)(VARIANT*)>(L"oleaut32.dll", "VariantClear");
    return clear ? clear(variant) : E_NOTIMPL;
}

bool IsSelf(const VARIANT& child) noexcept { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The facts are the subclass's own: made with it, deleted with the window.
LRESULT CALLBACK DescribedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR refData) noexcept {
    auto* facts = reinterpret_cast<AccessibleFacts*>(refData);
    if (message == WM_GETOBJECT) {
        // Should the facts not copy (out of memory), the system's own object answers.
        const LRESULT answer = CarryOnOr("DescribedProc", LRESULT{0},
                                         [&] { return AccessibleControl::Answer(hwnd, wParam, lParam, *facts); });
        if (answer) return answer;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &DescribedProc, kDescribedSubclass);
        delete facts;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void DescribeToScreenReaders(HWND control, AccessibleFacts facts) noexcept {
    if (!control) return;
    // Should that fail (out of memory), the system's own object answers.
    CarryOn("DescribeToScreenReaders", [&] {
        auto* owned = new AccessibleFacts(std::move(facts));
        if (!SetWindowSubclass(control, &DescribedProc, kDescribedSubclass, reinterpret_cast<DWORD_PTR>(owned))) {
            delete owned;
        }
    });
}

LRESULT AccessibleControl::Answer(HWND window, WPARAM wParam, LPARAM lParam, AccessibleFacts facts) noexcept {
    // The object id arrives as a DWORD in the low half.
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) return 0;
    // Should that fail (out of memory), the system's own object answers.
    return CarryOnOr("AccessibleControl::Answer", LRESULT{0}, [&]() -> LRESULT {
        static const Oleacc oleacc;
        // LresultFromObject marshals through the thread's COM apartment. A thread in none joins a
        // single-threaded one here and stays in it: the reader goes on calling through it.
        if (CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED) == S_FALSE) CoUninitialize();
        IAccessible* standard = nullptr;
        if (!oleacc.createStd || !oleacc.fromObject) return 0;
        if (FAILED(oleacc.createStd(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))) ||
            !standard) {
            return 0;
        }
        auto* object = new AccessibleControl(window, standard, std::move(facts));
        const LRESULT result = oleacc.fromObject(IID_IAccessible, wParam, object);
        object->Release();  // the marshalled reference, if any, keeps it
        return result > 0 ? result : 0;
    });
}

AccessibleControl::AccessibleControl(HWND window, IAccessible* standard, AccessibleFacts facts) noexcept
    : window_(window), standard_(standard), facts_(std::move(facts)) {}

AccessibleControl::~AccessibleControl() { standard_->Release(); }

HRESULT AccessibleControl::QueryInterface(REFIID iid, void** object) noexcept {
    if (!object) return E_POINTER;
    // Only what this object is: handing out the system object's other interfaces would give the
    // reader a second identity for one control.
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleControl::AddRef() noexcept { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG AccessibleControl::Release() noexcept {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

const std::function<std::wstring()>* AccessibleControl::Ours(const std::function<std::wstring()>& fact,
                                                             const VARIANT& child) const noexcept {
    // The functions read the control's owner, which lives as long as the window does and only on
    // its thread; a reader holding on to the object after that gets the system's answers.
    if (!fact || !IsSelf(child) || !IsWindow(window_) ||
        GetWindowThreadProcessId(window_, nullptr) != GetCurrentThreadId()) {
        return nullptr;
    }
    return &fact;
}

HRESULT AccessibleControl::Give(const std::function<std::wstring()>& fact, BSTR* text) noexcept {
    if (!text) return E_POINTER;
    *text = nullptr;
    return CarryOnOr("AccessibleControl::Give", HRESULT{E_FAIL}, [&]() -> HRESULT {
        const std::wstring value = fact();
        if (value.empty()) return S_FALSE;
        *text = AllocateText(value.data(), static_cast<UINT>(value.size()));
        return *text ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT AccessibleControl::get_accName(VARIANT child, BSTR* name) noexcept {
    if (const auto* fact = Ours(facts_.name, child)) return Give(*fact, name);
    return standard_->get_accName(child, name);
}

HRESULT AccessibleControl::get_accValue(VARIANT child, BSTR* value) noexcept {
    if (const auto* fact = Ours(facts_.value, child)) return Give(*fact, value);
    return standard_->get_accValue(child, value);
}

HRESULT AccessibleControl::get_accDescription(VARIANT child, BSTR* description) noexcept {
    if (const auto* fact = Ours(facts_.description, child)) return Give(*fact, description);
    return standard_->get_accDescription(child, description);
}

HRESULT AccessibleControl::get_accRole(VARIANT child, VARIANT* role) noexcept {
    if (facts_.role == 0 || !IsSelf(child)) return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    InitVariant(role);
    role->vt = VT_I4;
    role->lVal = facts_.role;
    return S_OK;
}

// Late binding is refused rather than handed to the system object, which would answer a client asking
// through IDispatch with its own facts ("client" for the swatch) instead of ours.

HRESULT AccessibleControl::GetTypeInfoCount(UINT* count) noexcept {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AccessibleControl::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT AccessibleControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept { return E_NOTIMPL; }

HRESULT AccessibleControl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) noexcept {
    return E_NOTIMPL;
}

// Everything else is the system object's.

HRESULT AccessibleControl::get_accParent(IDispatch** parent) noexcept { return standard_->get_accParent(parent); }

HRESULT AccessibleControl::get_accChildCount(long* count) noexcept { return standard_->get_accChildCount(count); }

HRESULT AccessibleControl::get_accChild(VARIANT child, IDispatch** object) noexcept {
    return standard_->get_accChild(child, object);
}

HRESULT AccessibleControl::get_accState(VARIANT child, VARIANT* state) noexcept {
    const HRESULT result = standard_->get_accState(child, state);
    if (facts_.role != ROLE_SYSTEM_CHECKBUTTON || !IsSelf(child) || !state || !IsWindow(window_)) return result;
    // A check box's ticked, cleared or grey state is the box's own, asked now.
    long bits = SUCCEEDED(result) && state->vt == VT_I4 ? state->lVal : 0;
    if (SUCCEEDED(result)) ClearVariant(state);
    bits &= ~(STATE_SYSTEM_CHECKED | STATE_SYSTEM_MIXED);
    const LRESULT check = SendMessageW(window_, BM_GETCHECK, 0, 0);
    if (check == BST_CHECKED) bits |= STATE_SYSTEM_CHECKED;
    if (check == BST_INDETERMINATE) bits |= STATE_SYSTEM_MIXED;
    InitVariant(state);
    state->vt = VT_I4;
    state->lVal = bits;
    return S_OK;
}

HRESULT AccessibleControl::get_accHelp(VARIANT child, BSTR* help) noexcept {
    return standard_->get_accHelp(child, help);
}

HRESULT AccessibleControl::get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) noexcept {
    return standard_->get_accHelpTopic(helpFile, child, topic);
}

HRESULT AccessibleControl::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) noexcept {
    return standard_->get_accKeyboardShortcut(child, shortcut);
}

HRESULT AccessibleControl::get_accFocus(VARIANT* child) noexcept { return standard_->get_accFocus(child); }

HRESULT AccessibleControl::get_accSelection(VARIANT* children) noexcept {
    return standard_->get_accSelection(children);
}

HRESULT AccessibleControl::get_accDefaultAction(VARIANT child, BSTR* action) noexcept {
    return standard_->get_accDefaultAction(child, action);
}

HRESULT AccessibleControl::accSelect(long flags, VARIANT child) noexcept { return standard_->accSelect(flags, child); }

HRESULT AccessibleControl::accLocation(long* left, long* top, long* width, long* height, VARIANT child) noexcept {
    return standard_->accLocation(left, top, width, height, child);
}

HRESULT AccessibleControl::accNavigate(long direction, VARIANT start, VARIANT* end) noexcept {
    return standard_->accNavigate(direction, start, end);
}

HRESULT AccessibleControl::accHitTest(long left, long top, VARIANT* child) noexcept {
    return standard_->accHitTest(left, top, child);
}

HRESULT AccessibleControl::accDoDefaultAction(VARIANT child) noexcept { return standard_->accDoDefaultAction(child); }

HRESULT AccessibleControl::put_accName(VARIANT child, BSTR name) noexcept {
    return standard_->put_accName(child, name);
}

HRESULT AccessibleControl::put_accValue(VARIANT child, BSTR value) noexcept {
    return standard_->put_accValue(child, value);
}

}  // namespace tellurane
