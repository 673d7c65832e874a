#include "app/clock/clock_options.h"

#include <commctrl.h>

#include <algorithm>

#include "app/alarms/alarm_sound.h"
#include "app/alarms/alarm_windows.h"
#include "app/system_clock.h"
#include "app/main_module.h"
#include "logic/app_error.h"
#include "logic/clock/chime.h"
#include "logic/clock/countdown.h"
#include "logic/setting_keys.h"
#include "logic/texts.h"
#include "win32/accessible.h"
#include "win32/boundary.h"
#include "win32/language.h"

namespace tellurane {
namespace {

namespace co = clock_options;

constexpr UINT_PTR kPreviewTimer = 1;

// A picture Windows itself refuses (one PictureProblem lets through) is said too.
std::wstring PictureNote(PictureKind kind, const std::wstring& picture, const LocalTime& now) {
    if (const auto problem = PictureProblem(kind, picture)) return *problem;
    if (!picture.empty() && RenderPicture(kind, picture, now).empty()) return Tr(IDS_OPTIONS_PICTURE_REFUSED);
    return L"";
}

}  // namespace

ClockOptions::ClockOptions(const SettingsStore& store, bool canRemove)
    : Form(ClockOptionsLayout()), store_(store), canRemove_(canRemove) {}

bool ClockOptions::Open(HWND owner) {
    if (!Create(owner)) return false;
    ResetControlColors(*this);  // the system's colours, as the settings window takes them
    SetIcons(ProgramIcon(false, Dpi()), ProgramIcon(true, Dpi()));
    Button(co::kOk).SetDefault(true);
    Button(co::kOk).onClick = [this] { CarryOn("ClockOptions::Save", [&] { Save(); }); };
    Button(co::kCancel).onClick = [this] { Close(ClockOptionsAnswer::Cancelled); };
    Button(co::kRemove).onClick = [this] { CarryOn("ClockOptions::Remove", [&] { Remove(); }); };
    // The alarms are stored as they are changed there, whatever this window's answer.
    Button(co::kAlarms).onClick = [this] {
        CarryOn("ClockOptions::Alarms", [&] {
            AlarmList alarms(store_);
            alarms.ShowModal(Handle());
            SetForegroundWindow(Handle());
        });
    };
    if (!canRemove_) ShowWindow(Control(co::kRemove), SW_HIDE);
    NameFieldsForScreenReaders();
    Load();
    SetTimer(Handle(), kPreviewTimer, 1000, nullptr);  // the preview keeps time while the window is open
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    SetFocus(Control(co::kZone));
    return true;
}

ClockOptionsAnswer ClockOptions::ShowModal(HWND owner) {
    otherWindows_.DisableAllBut(nullptr);
    if (!Open(owner)) {
        otherWindows_.EnableAgain();
        throw AppError(Tr(IDS_OPTIONS_NOT_OPENED));
    }
    WaitUntilDestroyed(*this);
    otherWindows_.EnableAgain();
    return answer_;
}

// Each field by the text before it, as the user sees it. Some systems' objects (Wine's) name a combo box
// by what it shows instead.
void ClockOptions::NameFieldsForScreenReaders() noexcept {
    for (auto [name, field] : {std::pair{co::kZoneName, co::kZone}, std::pair{co::kLabelName, co::kLabel},
                               std::pair{co::kTimeName, co::kTimePicture}, std::pair{co::kDateName, co::kDatePicture},
                               std::pair{co::kCountdownName, co::kCountdown}}) {
        AccessibleFacts facts;
        facts.name = [this, name = name] {
            std::wstring text = Text(name);
            std::erase(text, L'&');
            return text;
        };
        DescribeToScreenReaders(Control(field), std::move(facts));
    }
}

void ClockOptions::FillLists() {
    HWND zone = Control(co::kZone);
    zones_ = {{L"", Tr(IDS_OPTIONS_LOCAL_TIME)}, {kUtcZone, kUtcZone}};
    std::vector<ZoneChoice> windows = WindowsTimeZones();
    // As Date and Time settings lists them: west to east, then by name.
    std::stable_sort(windows.begin(), windows.end(), [](const ZoneChoice& a, const ZoneChoice& b) {
        return a.bias != b.bias ? a.bias > b.bias : a.displayName < b.displayName;
    });
    zones_.insert(zones_.end(), windows.begin(), windows.end());
    for (const ZoneChoice& choice : zones_) {
        SendMessageW(zone, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.displayName.c_str()));
    }
    for (auto [id, pictures] : {std::pair{co::kTimePicture, std::span<const std::wstring_view>(kCommonTimePictures)},
                                std::pair{co::kDatePicture, std::span<const std::wstring_view>(kCommonDatePictures)}}) {
        for (std::wstring_view picture : pictures) {
            const std::wstring text(picture);
            SendMessageW(Control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageW(Control(id), CB_LIMITTEXT, kMaxPictureLength, 0);
    }
    for (TextId mode : {IDS_CHIME_OFF, IDS_CHIME_HOURS, IDS_CHIME_HALF_HOURS}) {
        SendMessageW(Control(co::kChime), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Tr(mode).c_str()));
    }
}

// The chime as stored: a sound not listed (a file of the user's) is listed too.
void ClockOptions::LoadChime() {
    const double mode = CarryOnOr("ClockOptions::LoadChime", 0.0, [&] { return store_.Number(keys::kChime); });
    SendMessageW(Control(co::kChime), CB_SETCURSEL, static_cast<WPARAM>(std::clamp(static_cast<int>(mode), 0, 2)), 0);
    SetText(co::kQuiet, store_.Read(keys::kChimeQuiet));
    chimeSounds_ = ListSounds(Control(co::kChimeSound), store_.Read(keys::kChimeSound));
}

void ClockOptions::Load() {
    FillLists();
    const std::wstring stored = store_.Read(keys::kTimeZone);
    const std::wstring zone = stored == L"0" ? std::wstring() : stored;
    if (!ChooseZone(zone)) {
        // Kept as it is unless another is chosen: a zone this computer lacks may be another's.
        zones_.push_back({zone, Tr(IDS_OPTIONS_ZONE_NOT_KNOWN, {zone})});
        SendMessageW(Control(co::kZone), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(zones_.back().displayName.c_str()));
        ChooseZone(zone);
    }
    const auto chosen = static_cast<std::size_t>(SendMessageW(Control(co::kZone), CB_GETCURSEL, 0, 0));
    zoneLabel_ = chosen < zones_.size() ? CityOfZone(zones_[chosen]) : std::wstring();
    for (auto [id, key] :
         {std::pair{co::kLabel, keys::kLabel}, std::pair{co::kTimePicture, keys::kTimePicture},
          std::pair{co::kDatePicture, keys::kDatePicture}, std::pair{co::kCountdown, keys::kCountdown}}) {
        SetText(id, store_.Read(key));
    }
    SendMessageW(Control(co::kStepAside), BM_SETCHECK, StoredSwitchOr(store_, keys::kStepAside), 0);
    SendMessageW(Control(co::kClickThrough), BM_SETCHECK, StoredSwitchOr(store_, keys::kClickThrough), 0);
    LoadChime();
    ShowMomentInPickers();
    Refresh();
}

bool ClockOptions::ChooseZone(std::wstring_view key) {
    for (std::size_t index = 0; index < zones_.size(); ++index) {
        if (CompareStringOrdinal(zones_[index].key.c_str(), -1, std::wstring(key).c_str(), -1, TRUE) == CSTR_EQUAL) {
            SendMessageW(Control(co::kZone), CB_SETCURSEL, index, 0);
            return true;
        }
    }
    return false;
}

std::wstring ClockOptions::ChosenZone() const {
    const LRESULT index = SendMessageW(Control(co::kZone), CB_GETCURSEL, 0, 0);
    return index >= 0 && static_cast<std::size_t>(index) < zones_.size() ? zones_[static_cast<std::size_t>(index)].key
                                                                         : std::wstring();
}

// The label follows the zone while it is the one the last zone proposed (or empty): a label of the
// user's own stays.
void ClockOptions::ZoneChosen() {
    const LRESULT index = SendMessageW(Control(co::kZone), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= zones_.size()) return;
    const std::wstring proposed = CityOfZone(zones_[static_cast<std::size_t>(index)]);
    const std::wstring label = Text(co::kLabel);
    if (label.empty() || label == zoneLabel_) SetText(co::kLabel, proposed);
    zoneLabel_ = proposed;
}

int ClockOptions::Refresh() {
    const std::wstring zone = ChosenZone();
    const ClockReading now = ReadSystemClock();
    const auto utc = static_cast<std::int64_t>(now.utcMilliseconds);
    // Looked up once per zone chosen, not at every second and keystroke.
    if (!rules_ || rulesZone_ != zone) {
        rules_ = RulesForZone(zone);
        rulesZone_ = zone;
    }
    const LocalTime there = rules_ && !zone.empty() ? ZoneLocalTime(*rules_, utc) : now.local;
    const std::wstring timeNote = PictureNote(PictureKind::Time, Text(co::kTimePicture), there);
    const std::wstring dateNote = PictureNote(PictureKind::Date, Text(co::kDatePicture), there);
    const std::wstring countdown = Text(co::kCountdown);
    const bool momentBad = !countdown.empty() && !ParseCountdownMoment(countdown);
    const auto note = [&](int id, int field, const std::wstring& problem) {
        SetText(id, !problem.empty() ? problem : Text(field).empty() ? Tr(IDS_OPTIONS_EMPTY_PICTURE) : L"");
    };
    note(co::kTimeNote, co::kTimePicture, timeNote);
    note(co::kDateNote, co::kDatePicture, dateNote);
    SetText(co::kCountdownNote, Tr(momentBad ? IDS_OPTIONS_COUNTDOWN_BAD : IDS_OPTIONS_COUNTDOWN_HINT));
    std::wstring quietProblem;
    ParseQuietHours(Text(co::kQuiet), quietProblem);
    SetText(co::kQuietNote, quietProblem.empty() ? std::wstring(L"22:00-07:00") : quietProblem);

    OwnFaceSettings settings{
        zone, momentBad ? std::wstring() : countdown,
        ClockLook{Text(co::kLabel), StoredSwitchOr(store_, keys::kMilitaryTime),
                  StoredSwitchOr(store_, keys::kDayMonthYear), StoredSwitchOr(store_, keys::kShowWeekday),
                  timeNote.empty() ? Text(co::kTimePicture) : L"", dateNote.empty() ? Text(co::kDatePicture) : L""}};
    SetText(co::kPreview, preview_.Compose(std::move(settings), now, [](const std::wstring&) {}));
    if (!timeNote.empty()) return co::kTimePicture;
    if (!dateNote.empty()) return co::kDatePicture;
    if (momentBad) return co::kCountdown;
    return quietProblem.empty() ? 0 : co::kQuiet;
}

void ClockOptions::Save() {
    if (const int bad = Refresh()) {
        // Not stored: the note beside the field says why.
        MessageBeep(MB_ICONWARNING);
        SetFocus(Control(bad));
        return;
    }
    bool stored = store_.WriteSetting(keys::kTimeZone, ChosenZone());
    for (auto [id, key] :
         {std::pair{co::kLabel, keys::kLabel}, std::pair{co::kTimePicture, keys::kTimePicture},
          std::pair{co::kDatePicture, keys::kDatePicture}, std::pair{co::kCountdown, keys::kCountdown}}) {
        stored = store_.WriteSetting(key, Text(id)) && stored;
    }
    for (auto [id, key] :
         {std::pair{co::kStepAside, keys::kStepAside}, std::pair{co::kClickThrough, keys::kClickThrough}}) {
        stored = store_.Write(key, SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0) && stored;
    }
    const LRESULT chime = SendMessageW(Control(co::kChime), CB_GETCURSEL, 0, 0);
    stored = store_.Write(keys::kChime, static_cast<double>(std::max<LRESULT>(chime, 0))) && stored;
    stored = store_.WriteSetting(keys::kChimeQuiet.name, Text(co::kQuiet)) && stored;
    const LRESULT sound = SendMessageW(Control(co::kChimeSound), CB_GETCURSEL, 0, 0);
    if (sound >= 0 && static_cast<std::size_t>(sound) < chimeSounds_.size()) {
        stored = store_.WriteSetting(keys::kChimeSound.name, chimeSounds_[static_cast<std::size_t>(sound)]) && stored;
    }
    if (!stored) {
        // The choices stay in the window, to be stored again or cancelled: none is lost unsaid.
        ShowMessageBox(Handle(), Tr(IDS_OPTIONS_NOT_STORED), L"Tellurane", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Close(ClockOptionsAnswer::Saved);
}

void ClockOptions::Remove() {
    if (ShowMessageBox(Handle(), Tr(IDS_OPTIONS_REMOVE_ASK), L"Tellurane",
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    Close(ClockOptionsAnswer::Removed);
}

// The countdown's moment as written, in the pickers: a moment that cannot be read leaves them as they are.
void ClockOptions::ShowMomentInPickers() {
    const std::optional<LocalTime> moment = ParseCountdownMoment(Text(co::kCountdown));
    if (!moment) return;
    SYSTEMTIME time = ToSystemTime(*moment);
    pickingMoment_ = true;
    SendMessageW(Control(co::kCountdownDate), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    SendMessageW(Control(co::kCountdownTime), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    pickingMoment_ = false;
}

// A moment picked is written as it is stored, in the box above the pickers.
void ClockOptions::MomentPicked() {
    if (pickingMoment_) return;
    SYSTEMTIME date{}, time{};
    if (SendMessageW(Control(co::kCountdownDate), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) != GDT_VALID ||
        SendMessageW(Control(co::kCountdownTime), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) {
        return;
    }
    const LocalTime moment{date.wYear,   date.wMonth,  date.wDay, time.wHour,
                           time.wMinute, time.wSecond, 0,         date.wDayOfWeek};
    pickingMoment_ = true;
    SetText(co::kCountdown, CountdownMomentText(moment));
    pickingMoment_ = false;
    Refresh();
}

void ClockOptions::Close(ClockOptionsAnswer answer) {
    if (closing_ || !Handle()) return;
    closing_ = true;
    answer_ = answer;
    KillTimer(Handle(), kPreviewTimer);
    otherWindows_.EnableAgain();  // before this window goes, so that its clock is activated again
    DestroyWindow(Handle());
}

bool ClockOptions::OnClose() noexcept {
    Close(ClockOptionsAnswer::Cancelled);
    return true;
}

std::wstring ClockOptions::Text(int id) const {
    HWND control = Control(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(std::max(0, GetWindowTextW(control, text.data(), static_cast<int>(text.size())))));
    return text;
}

void ClockOptions::SetText(int id, std::wstring_view text) {
    const std::wstring value(text);
    if (Text(id) != value) SetWindowTextW(Control(id), value.c_str());
}

void ClockOptions::OnCommand(int id, int code) noexcept {
    CarryOn("ClockOptions::OnCommand", [&] {
        if (id == IDCANCEL) {
            Close(ClockOptionsAnswer::Cancelled);
        } else if ((id == co::kStepAside || id == co::kClickThrough) && code == BN_CLICKED) {
            const bool on = SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
            SendMessageW(Control(id), BM_SETCHECK, on ? BST_UNCHECKED : BST_CHECKED, 0);
        } else if (id == co::kZone && code == CBN_SELCHANGE) {
            ZoneChosen();
            Refresh();
        } else if ((id == co::kTimePicture || id == co::kDatePicture) && code == CBN_SELCHANGE) {
            // The edit part shows the choice only after this notification: take it from the list.
            const LRESULT index = SendMessageW(Control(id), CB_GETCURSEL, 0, 0);
            const auto length = SendMessageW(Control(id), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
            if (index >= 0 && length >= 0) {
                std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
                SendMessageW(Control(id), CB_GETLBTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(text.data()));
                text.resize(static_cast<std::size_t>(length));
                SetText(id, text);
            }
            Refresh();
        } else if (code == CBN_EDITCHANGE ||
                   (code == EN_CHANGE && (id == co::kLabel || id == co::kCountdown || id == co::kQuiet))) {
            if (id == co::kCountdown && !pickingMoment_) ShowMomentInPickers();
            Refresh();
        }
    });
}

LRESULT ClockOptions::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == DM_GETDEFID) return MAKELRESULT(co::kOk, DC_HASDEFID);  // Enter presses OK
    if (message == WM_TIMER && wParam == kPreviewTimer) {
        CarryOn("ClockOptions::Refresh", [&] { Refresh(); });
        return 0;
    }
    if (message == WM_NOTIFY && lParam) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == DTN_DATETIMECHANGE && (header->idFrom == static_cast<UINT_PTR>(co::kCountdownDate) ||
                                                   header->idFrom == static_cast<UINT_PTR>(co::kCountdownTime))) {
            CarryOn("ClockOptions::MomentPicked", [&] { MomentPicked(); });
            return 0;
        }
    }
    if (message == WM_TIMECHANGE) {
        // The time or the zone changed: the preview follows now, with the zone's rules read again.
        CarryOn("ClockOptions::OnTimeChanged", [&] {
            rules_.reset();
            preview_.ForgetRules();
            Refresh();
        });
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace tellurane
