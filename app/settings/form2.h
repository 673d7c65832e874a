#pragma once
// The settings window: five switches, the clock's text size and colour. Each choice is written
// through to the store at once (the text size when the window closes); colour and size go to the
// clock face directly.

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "app/main_module.h"
#include "app/settings_store.h"
#include "logic/error_trap.h"
#include "logic/layouts.h"
#include "win32/form.h"
#include "win32/modal.h"

#include <optional>

namespace tellurane {

// ChooseColorW and CommDlgExtendedError, or what a test puts in their place.
using ChooseColorFunction = BOOL(WINAPI*)(CHOOSECOLORW*);
using DialogErrorFunction = DWORD(WINAPI*)();

// Windows' own, from comdlg32 loaded at the first use: it loads the printer spooler in turn, which a
// clock that is only looked at never needs. FALSE and CDERR_INITIALIZATION without the library.
BOOL WINAPI SystemChooseColor(CHOOSECOLORW* choose);
DWORD WINAPI SystemDialogError();

class Form2 : public Form {
public:
    // face: the clock window's face, whose colour and text size this window sets.
    Form2(const SettingsStore& store, PushButton& face, ErrorTrap::Reporter report = &ShowApplicationError,
          ChooseColorFunction chooseColor = &SystemChooseColor, DialogErrorFunction dialogError = &SystemDialogError);
    // Without a clock window: the layout alone, for looking at.
    Form2();

    // Creates the window, loads it and waits, handling messages, until it has closed.
    // Every other window of the program is disabled meanwhile. With an owner, the window opens
    // centred on the owner's monitor and stays in front of it.
    void ShowModal(HWND owner = nullptr);
    // Creates and loads the window and shows it without waiting.
    bool Open(HWND owner = nullptr);

    // Where "Run at Windows Startup" is kept when this window is for a clock after the first: it is
    // the program's, stored with the first clock's settings.
    void StartsWithWindowsIn(const SettingsStore& programStore) noexcept { programStore_ = &programStore; }

    HWND Check(int id) const noexcept { return Control(id); }
    int CheckValue(int id) const noexcept;
    std::wstring Text1() const;
    void SetText1(std::wstring_view text);
    PushButton& PushButton1() { return Button(form2::kPushButton1); }
    PushButton& PushButton3() { return Button(form2::kPushButton3); }

    void PushButton1_Click();
    void PushButton3_Click();

    // The text colour a skin gives the face while the user has stored none. A cancelled colour dialog
    // then stores nothing: a skin never changes a stored setting.
    std::optional<ColorValue> skinTextColor;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    void OnCommand(int id, int code) noexcept override;
    bool OnClose() noexcept override;
    void OnMouseMove() noexcept override;

private:
    void Form_Load();
    void Form_Unload();
    void CheckClicked(int id);
    void Check3_Click();
    // Gives a box a state; a change runs its click handler, as a click would.
    void SetCheckValue(int id, int value);
    void LoadCheck(ErrorTrap& trap, int line, int id);
    const SettingsStore& StoreOf(const Setting& key) const;
    void Unload();
    // The colour swatch, for screen readers: named, with the colour it shows as its value.
    void DescribeSwatch() noexcept;

    const SettingsStore* store_ = nullptr;
    const SettingsStore* programStore_ = nullptr;  // nullptr: store_
    PushButton* face_ = nullptr;
    ErrorTrap::Reporter report_;
    ChooseColorFunction chooseColor_ = &SystemChooseColor;
    DialogErrorFunction dialogError_ = &SystemDialogError;
    DisabledWindows otherWindows_;
    bool unloading_ = false;
};

}  // namespace tellurane
