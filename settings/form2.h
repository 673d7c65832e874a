#pragma once
// The settings window: five switches, the clock's text size and colour.

#include "core/form.h"

namespace tellurane {

class Form2 : public Form {
public:
    Form2() : Form(Form2Layout()) {}

    HWND Check(int id) const noexcept { return Control(id); }
    HWND Text1() const noexcept { return Control(form2::kText1); }
    HWND Picture1() const noexcept { return Control(form2::kPicture1); }
    PushButton& PushButton1() { return Button(form2::kPushButton1); }
    PushButton& PushButton3() { return Button(form2::kPushButton3); }
};

}  // namespace tellurane
