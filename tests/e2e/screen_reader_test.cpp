// The clock and its settings as a screen reader finds them: through the accessibility interfaces of
// each control, in the running program, from another process.

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "tests/e2e/clock_driver.h"

namespace tellurane {
namespace {

using namespace std::chrono_literals;
using support::WaitUntil;

// One control's object, asked about the control itself.
class Reader {
public:
    explicit Reader(HWND control) {
        AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                   reinterpret_cast<void**>(&object_));
    }
    ~Reader() {
        if (object_) object_->Release();
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool Found() const { return object_ != nullptr; }
    std::wstring Name() const { return Text(&IAccessible::get_accName); }
    std::wstring Value() const { return Text(&IAccessible::get_accValue); }
    std::wstring Description() const { return Text(&IAccessible::get_accDescription); }
    long Role() const { return Number(&IAccessible::get_accRole); }
    long State() const { return Number(&IAccessible::get_accState); }
    // What a late-bound client gets: the number of type descriptions and the answer to a name lookup.
    std::pair<UINT, HRESULT> LateBound() const {
        UINT count = 99;
        object_->GetTypeInfoCount(&count);
        wchar_t name[] = L"accName";
        LPOLESTR names[] = {name};
        DISPID id = 0;
        return {count, object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)};
    }

private:
    static VARIANT Self() {
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        return self;
    }
    std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const {
        if (!object_) return L"<no object>";
        BSTR text = nullptr;
        if (FAILED((object_->*get)(Self(), &text))) return L"<failed>";
        std::wstring result = text ? std::wstring(text, SysStringLen(text)) : L"";
        SysFreeString(text);
        return result;
    }
    long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) const {
        VARIANT number;
        VariantInit(&number);
        if (!object_ || FAILED((object_->*get)(Self(), &number)) || number.vt != VT_I4) return -1;
        return number.lVal;
    }

    IAccessible* object_ = nullptr;
};

class ScreenReader : public RunningClock {
protected:
    ScreenReader() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ScreenReader() override { CoUninitialize(); }

    // The face's name as a reader hears it, with the time the face showed around the asking: the
    // second may turn meanwhile, so it is asked again until the face showed one time throughout.
    std::wstring NameAgainstFace(const Reader& face, std::wstring& shown) const {
        std::wstring name;
        for (int attempt = 0; attempt < 5; ++attempt) {
            shown = FaceText();
            name = face.Name();
            if (FaceText() == shown) break;
        }
        return name;
    }

    // The face: a push button named by the time it shows when asked, saying what pressing it does.
    void ExpectTheFaceHeardByTheTimeItShows() const {
        Reader faceObject(Face());
        ASSERT_TRUE(faceObject.Found());
        EXPECT_EQ(faceObject.Role(), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(faceObject.Description(), L"Opens the settings");
        std::wstring shown;
        const std::wstring first = NameAgainstFace(faceObject, shown);
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, shown);
        // The same object, a second later, has the new time: nothing is kept from the first asking.
        ASSERT_TRUE(WaitUntil([&] { return FaceText() != first; }, 3s));
        const std::wstring later = NameAgainstFace(faceObject, shown);
        EXPECT_NE(later, first);
        EXPECT_EQ(later, shown);
    }

    // The buttons, by their captions; the check boxes, by the captions the user sees, all clear on a first
    // run; one ticked, it alone is heard as checked, then a grey one (a stored 2) as mixed.
    void ExpectTheSettingsButtonsAndBoxesHeard(HWND settings) const {
        auto item = [&](int id) { return GetDlgItem(settings, id); };
        for (const auto& [id, caption] :
             {std::pair{form2::kPushButton1, L"OK"}, std::pair{form2::kPushButton3, L"Change"}}) {
            Reader button(item(id));
            EXPECT_EQ(button.Name(), caption);
            EXPECT_EQ(button.Role(), ROLE_SYSTEM_PUSHBUTTON) << testing::PrintToString(std::wstring(caption));
        }
        PostClick(item(form2::kCheck6));
        ASSERT_TRUE(
            WaitUntil([&] { return SendMessageW(item(form2::kCheck6), BM_GETCHECK, 0, 0) == BST_CHECKED; }, 3s));
        int boxes = 0;
        for (const ControlLayout& control : Form2Layout().controls) {
            if (control.kind != ControlKind::CheckBox) continue;
            ++boxes;
            Reader box(item(control.id));
            const std::string which = testing::PrintToString(Resolve(control.caption));
            EXPECT_EQ(box.Name(), Resolve(control.caption));
            EXPECT_EQ(box.Role(), ROLE_SYSTEM_CHECKBUTTON) << which;
            EXPECT_EQ((box.State() & STATE_SYSTEM_CHECKED) != 0, control.id == form2::kCheck6) << which;
        }
        SendMessageW(item(form2::kCheck2), BM_SETCHECK, BST_INDETERMINATE, 0);
        EXPECT_EQ(Reader(item(form2::kCheck2)).State() & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_MIXED),
                  STATE_SYSTEM_MIXED);
        EXPECT_EQ(boxes, 5);
    }

    // The swatch: named for what it shows, its value the colour, following a new choice.
    void ExpectTheSwatchHeardByItsColour(HWND settings) const {
        Reader swatch(GetDlgItem(settings, form2::kPicture1));
        EXPECT_EQ(swatch.Name(), L"Text colour");
        EXPECT_EQ(swatch.Role(), ROLE_SYSTEM_GRAPHIC);
        EXPECT_EQ(swatch.Value(), L"Red 0, Green 0, Blue 0");  // the first run's black
        // Through IDispatch it gives nothing, rather than the system object's own facts: on Windows those
        // would name the swatch a "client" to a late-bound reader.
        EXPECT_EQ(swatch.LateBound(), (std::pair<UINT, HRESULT>{0, E_NOTIMPL}));
        PostClick(GetDlgItem(settings, form2::kPushButton3));
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                dialog = FindWindowW(L"#32770", L"Color");
                return dialog && IsWindowVisible(dialog);
            },
            5s));
        Sleep(300);                           // the dialog fills its fields while it opens
        SetDlgItemTextW(dialog, 706, L"18");  // red, green and blue: three different numbers, so none is swapped
        SetDlgItemTextW(dialog, 707, L"52");
        SetDlgItemTextW(dialog, 708, L"86");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return swatch.Value() == L"Red 18, Green 52, Blue 86"; }, 5s))
            << testing::PrintToString(swatch.Value());
    }

    // Clock options, from the face's menu: every field named by the text before it, the preview by what
    // it shows.
    void ExpectClockOptionsFieldsNamed() {
        const HWND options = OpenClockOptionsFromTheMenu();
        ASSERT_TRUE(options);
        namespace co = clock_options;
        for (const auto& [id, name] :
             {std::pair{co::kZone, L"Time zone:"}, std::pair{co::kLabel, L"Label:"},
              std::pair{co::kTimePicture, L"Time picture:"}, std::pair{co::kDatePicture, L"Date picture:"},
              std::pair{co::kCountdown, L"Count down to:"},
              std::pair{co::kStepAside, L"Step aside for full-screen programs"}, std::pair{co::kOk, L"OK"},
              std::pair{co::kCancel, L"Cancel"}}) {
            EXPECT_EQ(Reader(GetDlgItem(options, id)).Name(), name) << id;
        }
        EXPECT_EQ(Reader(GetDlgItem(options, co::kPreview)).Name(),
                  support::WindowText(GetDlgItem(options, co::kPreview)));
        PostMessageW(options, WM_CLOSE, 0, 0);
    }
};

TEST_F(ScreenReader, HearsTheTimeOnTheFaceAndEverySettingWithItsStateAndColour) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ExpectTheFaceHeardByTheTimeItShows());
    HWND settings = OpenSettingsByClickingTheFace();
    ASSERT_TRUE(settings) << "clicking the face opened no settings";
    ASSERT_NO_FATAL_FAILURE(ExpectTheSettingsButtonsAndBoxesHeard(settings));
    ASSERT_NO_FATAL_FAILURE(ExpectTheSwatchHeardByItsColour(settings));
    PostClick(GetDlgItem(settings, form2::kPushButton1));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(settings); }, 5s));
    ExpectClockOptionsFieldsNamed();
}

}  // namespace
}  // namespace tellurane
