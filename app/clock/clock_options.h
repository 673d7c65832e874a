#pragma once
// Clock options: a clock's time zone, label, time and date pictures (with a live preview), countdown and
// whether it steps aside for full-screen programs. Nothing is stored until OK, and a picture or moment
// that cannot be used is said beside its field and keeps the window open.

#include <optional>
#include <string>
#include <vector>

#include "app/clock/own_face.h"
#include "app/time_zones.h"
#include "app/settings_store.h"
#include "logic/layouts.h"
#include "win32/form.h"
#include "win32/modal.h"

namespace tellurane {

enum class ClockOptionsAnswer { Cancelled, Saved, Removed };

class ClockOptions : public Form {
public:
    // store: the clock's own. canRemove: a clock after the first, which Remove deletes.
    ClockOptions(const SettingsStore& store, bool canRemove);

    // Opens the window over its clock and waits, handling messages, until it has closed.
    ClockOptionsAnswer ShowModal(HWND owner);
    // Creates, loads and shows the window without waiting (the tests drive it).
    bool Open(HWND owner);
    ClockOptionsAnswer Answer() const noexcept { return answer_; }

    std::wstring Text(int id) const;
    void SetText(int id, std::wstring_view text);
    // Picks the zone by its stored name ("" local, "UTC", a Windows key); false when it is not listed.
    bool ChooseZone(std::wstring_view key);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    void OnCommand(int id, int code) noexcept override;
    bool OnClose() noexcept override;

private:
    void Load();
    void FillLists();
    void LoadChime();
    void ShowMomentInPickers();
    void MomentPicked();
    void NameFieldsForScreenReaders() noexcept;
    std::wstring ChosenZone() const;
    void ZoneChosen();
    // The notes and the preview, after any change; returns the first field with a problem, or 0.
    int Refresh();
    void Save();
    void Remove();
    void Close(ClockOptionsAnswer answer);

    const SettingsStore& store_;
    bool canRemove_;
    std::vector<ZoneChoice> zones_;          // as listed: local time, UTC, then Windows' own
    std::vector<std::wstring> chimeSounds_;  // as listed: the stored value of each
    std::wstring zoneLabel_;                 // the label the chosen zone proposes
    OwnFace preview_;
    std::optional<ZoneRules> rules_;  // of rulesZone_, for the notes
    std::wstring rulesZone_;
    DisabledWindows otherWindows_;
    ClockOptionsAnswer answer_ = ClockOptionsAnswer::Cancelled;
    bool closing_ = false;
    bool pickingMoment_ = false;  // the box and the pickers are being brought to agree
};

}  // namespace tellurane
