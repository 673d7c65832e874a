// One alarm: its time, its days or its one date, its label, sound and snooze, and its switch.

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "app/alarms/alarm_sound.h"
#include "app/alarms/alarm_windows.h"
#include "app/system_clock.h"
#include "app/main_module.h"
#include "logic/texts.h"
#include "win32/boundary.h"
#include "win32/system_library.h"

namespace tellurane {
namespace {

namespace ae = alarm_edit;

// The bit of each box's day (0 Sunday): the boxes start on the user's first day of the week.
int DayBit(int box) { return WeekDayAt(box, FirstDayOfWeek()); }

bool Ticked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Tick(HWND box, bool on) { SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

std::wstring LocaleText(LCTYPE type) {
    wchar_t text[80] = {};
    return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 80) > 0 ? std::wstring(text) : std::wstring();
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(std::max(0, GetWindowTextW(window, text.data(), static_cast<int>(text.size())))));
    return text;
}

}  // namespace

AlarmEditor::AlarmEditor(Alarm alarm) : Form(AlarmEditLayout()), alarm_(std::move(alarm)) {}

bool AlarmEditor::Open(HWND owner) {
    if (!Create(owner)) return false;
    ResetControlColors(*this);
    SetIcons(ProgramIcon(false, Dpi()), ProgramIcon(true, Dpi()));
    Button(ae::kOk).SetDefault(true);
    Button(ae::kOk).onClick = [this] { CarryOn("AlarmEditor::Save", [&] { Save(); }); };
    Button(ae::kCancel).onClick = [this] { Close(false); };
    Button(ae::kBrowse).onClick = [this] { CarryOn("AlarmEditor::Browse", [&] { Browse(); }); };
    Load();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    SetFocus(Control(ae::kTime));
    return true;
}

std::optional<Alarm> AlarmEditor::ShowModal(HWND owner) {
    otherWindows_.DisableAllBut(nullptr);
    if (!Open(owner)) return std::nullopt;
    WaitUntilDestroyed(*this);
    otherWindows_.EnableAgain();
    return Result();
}

void AlarmEditor::Load() {
    // The time as the user writes it, without seconds.
    const std::wstring format = LocaleText(LOCALE_SSHORTTIME);
    if (!format.empty()) SendMessageW(Control(ae::kTime), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format.c_str()));
    SYSTEMTIME time{};
    GetLocalTime(&time);
    time.wHour = static_cast<WORD>(alarm_.hour);
    time.wMinute = static_cast<WORD>(alarm_.minute);
    time.wSecond = time.wMilliseconds = 0;
    SendMessageW(Control(ae::kTime), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    for (int box = 0; box < 7; ++box) {
        SetWindowTextW(Control(ae::kDay + box), DayName(DayBit(box)).c_str());
        Tick(Control(ae::kDay + box), !alarm_.date && ((alarm_.days >> DayBit(box)) & 1u));
    }
    Tick(Control(ae::kOnDate), alarm_.date.has_value());
    if (alarm_.date) {
        SYSTEMTIME date = ToSystemTime(*alarm_.date);
        SendMessageW(Control(ae::kDate), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
    }
    FollowDateChoice();
    SetWindowTextW(Control(ae::kLabel), alarm_.label.c_str());
    FillSounds();
    SetWindowTextW(Control(ae::kSnooze), std::to_wstring(alarm_.snoozeMinutes).c_str());
    Tick(Control(ae::kOn), alarm_.on);
}

void AlarmEditor::FillSounds() { sounds_ = ListSounds(Control(ae::kSound), alarm_.sound); }

// One date, or days of the week: what is not chosen is not offered.
void AlarmEditor::FollowDateChoice() noexcept {
    const bool onDate = Ticked(Control(ae::kOnDate));
    EnableWindow(Control(ae::kDate), onDate);
    for (int box = 0; box < 7; ++box) EnableWindow(Control(ae::kDay + box), !onDate);
}

void AlarmEditor::Browse() {
    using Chooser = BOOL(WINAPI*)(OPENFILENAMEW*);
    static const auto choose = SystemFunction<Chooser>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!choose) return;
    wchar_t path[MAX_PATH] = {};
    std::wstring filter = Tr(IDS_SOUND_FILES) + L" (*.wav)";
    filter.push_back(L'\0');
    filter += L"*.wav";
    filter.push_back(L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!choose(&dialog)) return;
    alarm_.sound = path;
    FillSounds();
}

void AlarmEditor::Save() {
    SYSTEMTIME time{};
    if (SendMessageW(Control(ae::kTime), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID) {
        alarm_.hour = time.wHour;
        alarm_.minute = time.wMinute;
    }
    alarm_.date.reset();
    alarm_.days = 0;
    SYSTEMTIME date{};
    if (Ticked(Control(ae::kOnDate)) &&
        SendMessageW(Control(ae::kDate), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) == GDT_VALID) {
        alarm_.date = LocalTime{date.wYear, date.wMonth, date.wDay, 0, 0, 0, 0, date.wDayOfWeek};
    }
    for (int box = 0; box < 7 && !alarm_.date; ++box) {
        if (Ticked(Control(ae::kDay + box))) alarm_.days |= 1u << DayBit(box);
    }
    if (!alarm_.date && alarm_.days == 0) alarm_.days = 0x7F;  // no day chosen: every day, as stored so
    alarm_.label = WindowText(Control(ae::kLabel));
    const LRESULT sound = SendMessageW(Control(ae::kSound), CB_GETCURSEL, 0, 0);
    if (sound >= 0 && static_cast<std::size_t>(sound) < sounds_.size()) alarm_.sound = sounds_[sound];
    // Windows cannot play it: said now, while another file can still be chosen, not at the ring.
    if (alarm_.sound.size() > kLongestSoundPath) {
        ShowPlainError(Tr(IDS_ALARM_SOUND_PATH_TOO_LONG, {std::to_wstring(kLongestSoundPath)}));
        SetFocus(Control(ae::kSound));
        return;
    }
    // A length out of range is brought into it; one that is no number keeps the last.
    const std::wstring snooze = WindowText(Control(ae::kSnooze));
    if (!snooze.empty() && snooze.size() < 6 &&
        std::all_of(snooze.begin(), snooze.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
        alarm_.snoozeMinutes = std::clamp(std::stoi(snooze), 1, 60);
    }
    alarm_.on = Ticked(Control(ae::kOn));
    Close(true);
}

void AlarmEditor::Close(bool saved) {
    if (closing_ || !Handle()) return;
    closing_ = true;
    saved_ = saved;
    otherWindows_.EnableAgain();
    DestroyWindow(Handle());
}

bool AlarmEditor::OnClose() noexcept {
    Close(false);
    return true;
}

void AlarmEditor::OnCommand(int id, int code) noexcept {
    CarryOn("AlarmEditor::OnCommand", [&] {
        if (id == IDCANCEL) {
            Close(false);
        } else if (code == BN_CLICKED &&
                   (id == ae::kOnDate || id == ae::kOn || (id >= ae::kDay && id < ae::kDay + 7))) {
            // Three-state boxes: a click only ever ticks or clears.
            Tick(Control(id), !Ticked(Control(id)));
            if (id == ae::kOnDate) FollowDateChoice();
        }
    });
}

}  // namespace tellurane
