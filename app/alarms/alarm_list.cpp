// A clock's alarms in a list: each with its switch (the row's check box), Add, Edit and Remove. Every
// change is stored at once, and the clock's bell reads it from the store's watch.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "app/alarms/alarm_windows.h"
#include "app/system_clock.h"
#include "app/main_module.h"
#include "logic/setting_keys.h"
#include "logic/texts.h"
#include "win32/boundary.h"

namespace tellurane {
namespace {

namespace al = alarm_list;

}  // namespace

AlarmList::AlarmList(const SettingsStore& clock) : Form(AlarmListLayout()), clock_(clock) {}

bool AlarmList::Open(HWND owner) {
    if (!Create(owner)) return false;
    ResetControlColors(*this);
    SetIcons(ProgramIcon(false, Dpi()), ProgramIcon(true, Dpi()));
    Button(al::kAdd).onClick = [this] { CarryOn("AlarmList::Add", [&] { Add(); }); };
    Button(al::kEdit).onClick = [this] { CarryOn("AlarmList::Edit", [&] { Edit(); }); };
    Button(al::kRemove).onClick = [this] { CarryOn("AlarmList::Remove", [&] { Remove(); }); };
    Button(al::kClose).onClick = [this] { Close(); };
    HWND list = Control(al::kList);
    RECT area{};
    GetClientRect(list, &area);
    const int columns[] = {IDS_ALARMS_COLUMN_TIME, IDS_ALARMS_COLUMN_REPEATS, IDS_ALARMS_COLUMN_LABEL};
    const int widths[] = {area.right * 3 / 10, area.right * 35 / 100, area.right * 35 / 100};
    for (int index = 0; index < 3; ++index) {
        std::wstring title = Tr(static_cast<TextId>(columns[index]));
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = widths[index];
        column.pszText = title.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    }
    Fill();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    SetFocus(list);
    return true;
}

void AlarmList::ShowModal(HWND owner) {
    otherWindows_.DisableAllBut(nullptr);
    if (!Open(owner)) return;
    WaitUntilDestroyed(*this);
    otherWindows_.EnableAgain();
}

// The alarms as stored, a bad one as well: it shows, switched off, to be mended here.
void AlarmList::Fill() {
    filling_ = true;
    alarms_.clear();
    for (int number : clock_.NumberedKeys(kAlarmsSubKey)) {
        alarms_.emplace_back(number, ReadAlarm(number, ReadStoredAlarm(clock_.Below(AlarmKey(number)))).alarm);
    }
    HWND list = Control(al::kList);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t row = 0; row < alarms_.size(); ++row) {
        const Alarm& alarm = alarms_[row].second;
        std::wstring texts[] = {ShownAlarmTime(alarm), ShownAlarmDays(alarm), alarm.label};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = texts[0].data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < 3; ++column) {
            item.iSubItem = column;
            item.pszText = texts[column].data();
            SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        }
        ListView_SetCheckState(list, static_cast<UINT>(row), alarm.on);
    }
    if (!alarms_.empty()) ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const bool any = !alarms_.empty();
    EnableWindow(Control(al::kEdit), any);
    EnableWindow(Control(al::kRemove), any);
    filling_ = false;
}

int AlarmList::Selected() const noexcept {
    return static_cast<int>(SendMessageW(Control(al::kList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void AlarmList::Store(int number, const Alarm& alarm) {
    WriteStoredAlarm(clock_.Below(AlarmKey(number)), StoredValuesOf(alarm));
}

void AlarmList::Add() {
    Alarm fresh;
    fresh.days = 0x3E;  // weekdays, the alarm most set
    AlarmEditor editor(fresh);
    if (const std::optional<Alarm> alarm = editor.ShowModal(Handle())) {
        // After the highest stored (the list is in their order).
        const int number = alarms_.empty() ? 1 : alarms_.back().first + 1;
        Store(number, *alarm);
    }
    Fill();
    SetFocus(Control(al::kList));
}

void AlarmList::Edit() {
    const int row = Selected();
    if (row < 0 || static_cast<std::size_t>(row) >= alarms_.size()) return;
    AlarmEditor editor(alarms_[static_cast<std::size_t>(row)].second);
    if (const std::optional<Alarm> alarm = editor.ShowModal(Handle())) Store(alarms_[row].first, *alarm);
    Fill();
    ListView_SetItemState(Control(al::kList), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetFocus(Control(al::kList));
}

void AlarmList::Remove() {
    const int row = Selected();
    if (row < 0 || static_cast<std::size_t>(row) >= alarms_.size()) return;
    clock_.DeleteBelow(AlarmKey(alarms_[static_cast<std::size_t>(row)].first));
    Fill();
    SetFocus(Control(al::kList));
}

void AlarmList::Switched(int row) {
    if (filling_ || row < 0 || static_cast<std::size_t>(row) >= alarms_.size()) return;
    const bool on = ListView_GetCheckState(Control(al::kList), static_cast<UINT>(row)) != FALSE;
    auto& [number, alarm] = alarms_[static_cast<std::size_t>(row)];
    if (alarm.on == on) return;
    alarm.on = on;
    WriteStoredAlarm(clock_.Below(AlarmKey(number)), StoredSwitchOf(on));
}

void AlarmList::Close() {
    if (closing_ || !Handle()) return;
    closing_ = true;
    otherWindows_.EnableAgain();
    DestroyWindow(Handle());
}

bool AlarmList::OnClose() noexcept {
    Close();
    return true;
}

void AlarmList::OnCommand(int id, int) noexcept {
    // Enter edits the chosen alarm; Esc closes.
    if (id == IDOK) CarryOn("AlarmList::Edit", [&] { Edit(); });
    if (id == IDCANCEL) Close();
}

LRESULT AlarmList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NOTIFY && lParam) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == static_cast<UINT_PTR>(al::kList)) {
            if (header->code == LVN_ITEMCHANGED) {
                const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
                if (change->uChanged & LVIF_STATE) CarryOn("AlarmList::Switched", [&] { Switched(change->iItem); });
            } else if (header->code == NM_DBLCLK) {
                CarryOn("AlarmList::Edit", [&] { Edit(); });
            } else if (header->code == LVN_KEYDOWN &&
                       reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_DELETE) {
                CarryOn("AlarmList::Remove", [&] { Remove(); });
            }
        }
    }
    return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace tellurane
