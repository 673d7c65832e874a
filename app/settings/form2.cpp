#include "app/settings/form2.h"

#include <cderr.h>

#include <algorithm>
#include <cwchar>

#include "app/settings/reg_stuff.h"
#include "logic/app_error.h"
#include "logic/error_report.h"
#include "logic/paths.h"
#include "logic/setting_keys.h"
#include "logic/texts.h"
#include "win32/accessible.h"
#include "win32/boundary.h"
#include "win32/gdi.h"
#include "win32/modal.h"
#include "win32/system_library.h"

namespace tellurane {
namespace {

constexpr int kCheckIds[] = {form2::kCheck1, form2::kCheck2, form2::kCheck3, form2::kCheck4, form2::kCheck6};

const Setting& KeyOf(int checkId) {
    switch (checkId) {
        case form2::kCheck1:
            return keys::kAlwaysOnTop;
        case form2::kCheck2:
            return keys::kDayMonthYear;
        case form2::kCheck3:
            return keys::kRunAtStartup;
        case form2::kCheck4:
            return keys::kShowWeekday;
        default:
            return keys::kMilitaryTime;
    }
}

}  // namespace

Form2::Form2(const SettingsStore& store, PushButton& face, ErrorTrap::Reporter report, ChooseColorFunction chooseColor,
             DialogErrorFunction dialogError)
    : Form(Form2Layout()),
      store_(&store),
      face_(&face),
      report_(std::move(report)),
      chooseColor_(chooseColor),
      dialogError_(dialogError) {}

Form2::Form2() : Form(Form2Layout()) {}

bool Form2::Open(HWND owner) {
    if (!store_ || !Create(owner)) return false;
    DescribeSwatch();
    PushButton1().SetDefault(true);
    PushButton1().onClick = [this] { PushButton1_Click(); };
    PushButton3().onClick = [this] { PushButton3_Click(); };
    auto pointTo = [this] {
        if (Pointer() != MousePointer::Hourglass) SetPointer(MousePointer::Custom);
    };
    PushButton1().onMouseMove = pointTo;
    PushButton3().onMouseMove = pointTo;
    Form_Load();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    return true;
}

BOOL WINAPI SystemChooseColor(CHOOSECOLORW* choose) {
    static const auto dialog = SystemFunction<ChooseColorFunction>(L"comdlg32.dll", "ChooseColorW");
    return dialog ? dialog(choose) : FALSE;
}

DWORD WINAPI SystemDialogError() {
    static const auto error = SystemFunction<DialogErrorFunction>(L"comdlg32.dll", "CommDlgExtendedError");
    return error ? error() : CDERR_INITIALIZATION;
}

void Form2::ShowModal(HWND owner) {
    if (!store_) return;
    // The other windows are disabled before this one shows, so that it is the one activated.
    otherWindows_.DisableAllBut(nullptr);
    if (!Open(owner)) {
        otherWindows_.EnableAgain();
        throw AppError(Tr(IDS_SETTINGS_NOT_OPENED));
    }
    WaitUntilDestroyed(*this);
    otherWindows_.EnableAgain();
}

void Form2::Form_Load() {
    ErrorTrap trap(location::kForm2Load, report_);
    trap.Run(100, [this] { ResetControlColors(*this); });
    trap.Run(102, [this] { SetIcons(ProgramIcon(false, Dpi()), ProgramIcon(true, Dpi())); });
    if (trap.If(104, [] { return FileExists(InFolder(ProgramFolder(), kCursorFile)); })) {
        trap.Run(106, [this] { SetMouseIcon(LoadCursorFile(InFolder(ProgramFolder(), kCursorFile))); });
    }
    LoadCheck(trap, 108, form2::kCheck1);
    LoadCheck(trap, 110, form2::kCheck2);
    LoadCheck(trap, 112, form2::kCheck3);
    LoadCheck(trap, 114, form2::kCheck6);
    LoadCheck(trap, 116, form2::kCheck4);
    trap.Run(118, [this] { SetText1(StoredSizeToTyped(store_->Read(keys::kFontSize))); });
    trap.Run(120, [this] { SetControlBackColor(form2::kPicture1, face_->ForeColor()); });
}

// A stored switch as a box's state: 0 cleared, 1 set, 2 grey.
void Form2::LoadCheck(ErrorTrap& trap, int line, int id) {
    const SettingsStore& store = StoreOf(KeyOf(id));
    trap.Run(line, [&] { SetCheckValue(id, static_cast<int>(store.Number(KeyOf(id)))); });
}

// The program's values are kept with the first clock's, whichever clock's settings these are.
const SettingsStore& Form2::StoreOf(const Setting& key) const {
    return key.holder == Holder::Program && programStore_ ? *programStore_ : *store_;
}

int Form2::CheckValue(int id) const noexcept { return static_cast<int>(SendMessageW(Control(id), BM_GETCHECK, 0, 0)); }

void Form2::SetCheckValue(int id, int value) {
    if (CheckValue(id) == value) return;
    SendMessageW(Control(id), BM_SETCHECK, static_cast<WPARAM>(value), 0);
    CheckClicked(id);
}

// A click toggles between cleared and set; grey is only ever shown for a stored 2.
void Form2::OnCommand(int id, int code) noexcept {
    if (id == IDCANCEL) {
        // Esc, through the dialog manager: what the close box does.
        OnClose();
        return;
    }
    if (code != BN_CLICKED || std::find(std::begin(kCheckIds), std::end(kCheckIds), id) == std::end(kCheckIds)) return;
    // The click handlers trap nothing; a failure must not end the program.
    CarryOn("Form2::OnCommand",
            [&] { SetCheckValue(id, CheckValue(id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); });
}

void Form2::CheckClicked(int id) {
    if (id == form2::kCheck3) {
        Check3_Click();
        return;
    }
    store_->Write(KeyOf(id), CheckValue(id));
}

void Form2::Check3_Click() {
    const SettingsStore& store = StoreOf(keys::kRunAtStartup);
    store.Write(keys::kRunAtStartup, CheckValue(form2::kCheck3));
    if (CheckValue(form2::kCheck3) != BST_CHECKED) {
        modStartUp::RemoveFromStartUp(store.InFile());
    } else if (!modStartUp::AddToStartUp(store.InFile())) {
        // The box said why; a ticked box would say the program starts at logon when it does not.
        SendMessageW(Control(form2::kCheck3), BM_SETCHECK, BST_UNCHECKED, 0);
        store.Write(keys::kRunAtStartup, 0);
    }
}

std::wstring Form2::Text1() const {
    HWND edit = Control(form2::kText1);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(std::max(0, GetWindowTextW(edit, text.data(), static_cast<int>(text.size())))));
    return text;
}

void Form2::SetText1(std::wstring_view text) {
    const std::wstring value(text);
    SetWindowTextW(Control(form2::kText1), value.c_str());
}

void Form2::PushButton3_Click() {
    ErrorTrap trap(location::kForm2Colour, report_);
    CHOOSECOLORW dialog{sizeof dialog};
    static COLORREF customColours[16] = {};
    dialog.hwndOwner = Handle();
    dialog.lpCustColors = customColours;
    bool cancelled = false;
    trap.Run(102, [&] { dialog.rgbResult = ControlBackColor(form2::kPicture1); });
    trap.Run(104, [&] {
        // Cancel is no error: the colour stays what it was, and is applied and saved again below.
        // A dialog that could not open at all is.
        const COLORREF before = dialog.rgbResult;
        if (chooseColor_(&dialog)) return;
        cancelled = true;
        dialog.rgbResult = before;
        if (const DWORD error = dialogError_ ? dialogError_() : 0) {
            wchar_t code[16];
            swprintf(code, 16, L"0x%04lX", static_cast<unsigned long>(error));
            throw AppError(Tr(IDS_COLOUR_DIALOG_FAILED, {code}));
        }
    });
    trap.Run(106, [&] { SetControlBackColor(form2::kPicture1, dialog.rgbResult); });
    trap.Run(108, [&] { face_->SetForeColor(dialog.rgbResult); });
    trap.Run(110, [&] {
        const bool skinColourShown = skinTextColor == face_->ForeColor() && !store_->HasSetting(keys::kFontColor);
        if (cancelled && skinColourShown) return;
        store_->Write(keys::kFontColor, static_cast<std::int32_t>(face_->ForeColor()));
    });
}

void Form2::PushButton1_Click() {
    ErrorTrap trap(location::kForm2Ok, report_);
    trap.Run(100, [this] { Unload(); });
}

bool Form2::OnClose() noexcept {
    CarryOn("Form2::OnClose", [&] { Unload(); });
    return true;
}

void Form2::Unload() {
    if (unloading_ || !Handle()) return;
    unloading_ = true;
    Form_Unload();
    otherWindows_.EnableAgain();  // before this window goes, so that the clock window is activated again
    DestroyWindow(Handle());
}

void Form2::Form_Unload() {
    if (!StoredIsNumeric(Text1())) SetText1(FallbackText(keys::kFontSize, UserNumberFormat()));
    const std::wstring size = SizeToStoredText(Text1());
    store_->WriteSetting(keys::kFontSize, size);
    try {
        face_->SetFontSize(StoredNumber(keys::kFontSize, size, UserNumberFormat()));
    } catch (const AppError& error) {
        // Stored as typed; the face keeps its size, and the user is told why.
        ShowPlainError(error.Description());
    }
}

void Form2::OnMouseMove() noexcept {
    if (Pointer() != MousePointer::Hourglass) SetPointer(MousePointer::Default);
}

void Form2::DescribeSwatch() noexcept {
    // Its frame is captioned "Font Color", and a swatch has no text of its own. The value is spelt out
    // as the colour dialog's Red, Green and Blue fields give it: "#FF0000" would be read out letter by
    // letter. The swatch goes with this window, before the window's owner does.
    // Should that fail (out of memory), the system's own object answers.
    CarryOn("Form2::DescribeSwatch", [&] {
        AccessibleFacts facts;
        facts.role = ROLE_SYSTEM_GRAPHIC;
        facts.name = [] { return Tr(IDS_SETTINGS_TEXT_COLOUR); };
        facts.value = [this] {
            const COLORREF colour = ToColorRef(ControlBackColor(form2::kPicture1));
            return Tr(IDS_SETTINGS_COLOUR_VALUE,
                      {std::to_wstring(GetRValue(colour)), std::to_wstring(GetGValue(colour)),
                       std::to_wstring(GetBValue(colour))});
        };
        DescribeToScreenReaders(Control(form2::kPicture1), std::move(facts));
    });
}

LRESULT Form2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == DM_GETDEFID) return MAKELRESULT(form2::kPushButton1, DC_HASDEFID);  // Enter presses OK
    if (message == WM_DPICHANGED) {
        const LRESULT result = Form::HandleMessage(message, wParam, lParam);
        SetIcons(ProgramIcon(false, Dpi()), ProgramIcon(true, Dpi()));  // icons drawn for the new scaling
        return result;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace tellurane
