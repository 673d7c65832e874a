#pragma once
// A clock's alarms, opened from Clock options: the list (each alarm with its switch, Add, Edit, Remove)
// and the window for one alarm, where the time and the date are chosen with Windows' own pickers in the
// user's format. The list stores each change at once, as the switch beside an alarm is expected to.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/settings_store.h"
#include "logic/clock/alarm.h"
#include "logic/layouts.h"
#include "win32/form.h"
#include "win32/modal.h"

namespace tellurane {

class AlarmEditor : public Form {
public:
    explicit AlarmEditor(Alarm alarm);
    // Opens over the owner and waits; the alarm as chosen, or nothing when cancelled.
    std::optional<Alarm> ShowModal(HWND owner);
    // Opens without waiting (the tests drive it); Result() once closed.
    bool Open(HWND owner);
    std::optional<Alarm> Result() const { return saved_ ? std::optional<Alarm>(alarm_) : std::nullopt; }

protected:
    void OnCommand(int id, int code) noexcept override;
    bool OnClose() noexcept override;

private:
    void Load();
    void FillSounds();
    void FollowDateChoice() noexcept;
    void Browse();
    void Save();
    void Close(bool saved);

    Alarm alarm_;
    std::vector<std::wstring> sounds_;  // as listed: the stored value of each
    DisabledWindows otherWindows_;
    bool saved_ = false, closing_ = false;
};

class AlarmList : public Form {
public:
    // clock: the clock's own store, whose Alarms\N the list shows.
    explicit AlarmList(const SettingsStore& clock);
    void ShowModal(HWND owner);
    bool Open(HWND owner);
    // What the list shows, by row: the alarm's number and the alarm.
    const std::vector<std::pair<int, Alarm>>& Alarms() const noexcept { return alarms_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    void OnCommand(int id, int code) noexcept override;
    bool OnClose() noexcept override;

private:
    void Fill();
    int Selected() const noexcept;
    void Add();
    void Edit();
    void Remove();
    void Switched(int row);
    void Store(int number, const Alarm& alarm);
    void Close();

    const SettingsStore& clock_;
    std::vector<std::pair<int, Alarm>> alarms_;
    DisabledWindows otherWindows_;
    bool filling_ = false, closing_ = false;
};

}  // namespace tellurane
