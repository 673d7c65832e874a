#include "app/alarms/alarm_bell.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/time_zones.h"
#include "logic/texts.h"
#include "win32/boundary.h"

namespace tellurane {
namespace {

constexpr std::int64_t kMinuteMs = 60'000;

std::optional<std::int64_t> Earliest(std::optional<std::int64_t> a, std::optional<std::int64_t> b) {
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

std::wstring Joined(const std::wstring& time, const std::wstring& label) {
    return label.empty() ? time : time + L" " + label;
}

std::optional<std::int64_t> StoredMoment(const std::optional<std::wstring>& text) {
    // At most 18 digits: any of them fits; a longer or foreign text is no moment, and nothing was missed.
    if (!text || text->empty() || text->size() > 18 ||
        !std::all_of(text->begin(), text->end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return std::nullopt;
    return std::stoll(*text);
}

std::wstring MomentText(const std::optional<std::int64_t>& moment) {
    return moment ? std::to_wstring(*moment) : std::wstring();
}

}  // namespace

AlarmBell::AlarmBell(HWND owner, UINT moment, const SettingsStore& main, AlarmHost& host, BellServices services)
    : owner_(owner), main_(main), host_(host), services_(std::move(services)), timer_(owner, moment) {
    const std::int64_t now = Now();
    // Seen to until the last run ended; a first run has missed nothing (but a one-date alarm still on
    // after its moment, DueUnrung).
    const std::optional<std::int64_t> stored = StoredMoment(main_.Read(keys::kAlarmsSeen));
    seen_ = stored && *stored <= now ? *stored : now;
}

AlarmBell::~AlarmBell() {
    if (sounding_) services_.sound(L"", SoundPlay::Stop);
}

void AlarmBell::Reload() {
    std::vector<Entry> before = std::move(entries_);
    entries_.clear();
    chimes_.clear();
    host_.ForEachClock([this](AlarmClock& clock) { ReadClock(clock); });
    for (Entry& entry : entries_) {
        for (const Entry& old : before) {
            if (old.clock != entry.clock || old.number != entry.number) continue;
            // What was skipped stays so while the alarm is there, also when the store refused to keep it.
            if (!entry.skipped) entry.skipped = old.skipped;
            // A snooze belongs to the alarm as it was: switched off or changed, it is gone.
            if (entry.snoozedUntil && !(old.alarm == entry.alarm)) {
                entry.snoozedUntil.reset();
                StoreSnooze(entry);
            }
        }
        if (entry.snoozedUntil && !SnoozeHolds(entry)) {
            entry.snoozedUntil.reset();
            StoreSnooze(entry);
        }
    }
    Check();
}

void AlarmBell::ReadClock(AlarmClock& clock) {
    const SettingsStore& store = clock.Store();
    const std::wstring zone = store.Read(keys::kTimeZone);
    for (int number : store.NumberedKeys(kAlarmsSubKey)) {
        const StoredAlarm stored = ReadStoredAlarm(store.Below(AlarmKey(number)));
        AlarmRead read = ReadAlarm(number, stored);
        if (!read.problem.empty()) SayOnce(clock.Number(), read.problem);
        // A ring turned off from the face's menu, and a snooze, stay so across a restart (a night's updates).
        entries_.push_back({clock.Number(), number, std::move(read.alarm), zone, StoredMoment(stored.snoozed),
                            StoredMoment(stored.skip)});
    }
    const double mode = CarryOnOr("AlarmBell::ReadClock", 0.0, [&] { return store.Number(keys::kChime); });
    if (mode < 1) return;
    std::wstring problem;
    ClockChime chime{clock.Number(), Chime{static_cast<int>(mode), std::nullopt}, zone, store.Read(keys::kChimeSound)};
    chime.chime.quiet = ParseQuietHours(store.Read(keys::kChimeQuiet), problem);
    if (!problem.empty()) SayOnce(clock.Number(), problem);
    chimes_.push_back(std::move(chime));
}

const ZoneRules& AlarmBell::RulesOf(const std::wstring& zone) {
    auto found = rules_.find(zone);
    if (found != rules_.end()) return found->second;
    // A zone Windows does not know rings in local time, as its face shows it.
    std::optional<ZoneRules> rules = RulesForZone(zone);
    if (!rules) rules = RulesForZone(L"");
    if (!rules) rules = ZoneRules([](int) { return ZoneRule{}; });
    return rules_.emplace(zone, std::move(*rules)).first->second;
}

// The entry's next ring after what is seen to: a snooze's, or the alarm's own unless it is skipped.
std::optional<std::int64_t> AlarmBell::NextOf(Entry& entry) {
    std::optional<std::int64_t> ring = NextRing(entry.alarm, RulesOf(entry.zone), seen_);
    if (ring && entry.skipped == ring) ring = NextRing(entry.alarm, RulesOf(entry.zone), *ring);
    return SnoozeHolds(entry) ? Earliest(ring, entry.snoozedUntil) : ring;
}

void AlarmBell::Check() {
    const std::int64_t now = Now();
    // The time set back: what comes from now on rings, even if it had rung before.
    if (now < seen_) seen_ = now;
    const std::uint64_t firstNew = nextId_;
    for (Entry& entry : entries_) CheckAlarm(entry, now, firstNew);
    CheckChimes(now);
    seen_ = now;
    ShowFronts(now);
    FollowSound(now);
    Schedule();
    Settle();
}

void AlarmBell::CheckAlarm(Entry& entry, std::int64_t now, std::uint64_t firstNew) {
    if (entry.snoozedUntil && *entry.snoozedUntil <= now) {
        const std::int64_t due = *entry.snoozedUntil;
        entry.snoozedUntil.reset();
        StoreSnooze(entry);
        // Ended while the computer slept: missed, as any ring that could not sound at its minute.
        if (SnoozeHolds(entry)) Queue(entry, due, now, firstNew);
    }
    const std::optional<std::int64_t> last = DueUnrung(entry.alarm, RulesOf(entry.zone), seen_, now);
    const bool skippedThis = last && entry.skipped == last;
    // A turned-off ring is forgotten once its moment has passed (or will never come: the alarm was changed).
    if (entry.skipped && *entry.skipped <= now) {
        entry.skipped.reset();
        StoreSkip(entry);
    }
    if (!last) return;
    // A one-day alarm has had its day: it stays, switched off, to be set again.
    if (entry.alarm.date) {
        entry.alarm.on = false;
        StoreValues(entry, StoredSwitchOf(false));
    }
    if (!skippedThis) Queue(entry, *last, now, firstNew);
}

void AlarmBell::Queue(const Entry& entry, std::int64_t due, std::int64_t now, std::uint64_t firstNew) {
    // An older ring of the alarm still waiting gives way: a week away shows one missed ring, not seven.
    std::erase_if(rings_, [&](const Ring& ring) { return ring.clock == entry.clock && ring.number == entry.number; });
    Ring ring{nextId_++, entry.clock, entry.number, entry.alarm, due};
    if (!RingsNow(due, now)) {
        rings_.push_back(std::move(ring));  // told as missed once on the face
        return;
    }
    Tell(ring);
    const auto before = std::find_if(rings_.begin(), rings_.end(), [&](const Ring& waiting) {
        return waiting.clock == entry.clock && waiting.id < firstNew;
    });
    rings_.insert(before, std::move(ring));
}

// Its notification, once: at its time when it rings, when it reaches the face when it was missed.
void AlarmBell::Tell(Ring& ring) {
    if (ring.notified) return;
    ring.notified = true;
    const std::wstring time = ShownAlarmTime(ring.alarm);
    if (ring.missed || !RingsNow(ring.due, Now())) {
        std::wstring missed = Tr(IDS_ALARM_MISSED, {time, ring.alarm.label});
        while (!missed.empty() && missed.back() == L' ') missed.pop_back();  // no label
        host_.Notify(Tr(IDS_ALARM), missed);
    } else {
        host_.Notify(ring.alarm.label.empty() ? Tr(IDS_ALARM) : ring.alarm.label,
                     Tr(IDS_ALARM_BALLOON, {time, ClockName(ring.clock)}));
    }
}

AlarmBell::Ring* AlarmBell::FrontOf(int clock) {
    const auto front = std::find_if(rings_.begin(), rings_.end(),
                                    [clock](const Ring& ring) { return ring.clock == clock; });
    return front == rings_.end() ? nullptr : &*front;
}

void AlarmBell::ShowFronts(std::int64_t now) {
    // A ring whose clock was closed meanwhile ends with it.
    std::erase_if(rings_, [this](const Ring& ring) { return !host_.FindClock(ring.clock); });
    std::vector<int> clocks;
    for (const Ring& ring : rings_) clocks.push_back(ring.clock);
    for (const auto& [clock, shown] : shown_) clocks.push_back(clock);
    std::sort(clocks.begin(), clocks.end());
    clocks.erase(std::unique(clocks.begin(), clocks.end()), clocks.end());
    for (const int clock : clocks) {
        AlarmClock* window = host_.FindClock(clock);
        Ring* front = FrontOf(clock);
        if (!front) {
            shown_.erase(clock);
            if (window) window->EndAlarm();
            continue;
        }
        if (shown_[clock] == front->id) continue;
        shown_[clock] = front->id;
        front->missed = front->missed || !RingsNow(front->due, now);
        const std::wstring time = ShownAlarmTime(front->alarm);
        if (front->missed) {
            std::wstring missed = Tr(IDS_ALARM_MISSED, {time, front->alarm.label});
            while (!missed.empty() && missed.back() == L' ') missed.pop_back();  // no label
            window->ShowAlarm(missed, false);
        } else {
            window->ShowAlarm(Joined(time, front->alarm.label), true);
        }
        Tell(*front);
    }
}

void AlarmBell::FollowSound(std::int64_t now) {
    Ring* chosen = nullptr;
    for (const auto& [clock, shown] : shown_) {
        Ring* front = FrontOf(clock);
        if (!front || front->missed) continue;
        const bool mine = front->id == sounding_;
        if (!mine && (front->sounded || !RingsNow(front->due, now))) continue;
        // The latest; between two of the same moment, the one already sounding.
        if (!chosen || front->due > chosen->due || (front->due == chosen->due && mine)) chosen = front;
    }
    if (chosen && chosen->id == sounding_) return;
    StopSound();
    if (!chosen) return;
    chosen->sounded = true;
    sounding_ = chosen->id;
    // A minute of sound, whatever the clock says meanwhile.
    SetTimer(owner_, kAlarmSilenceTimer, kMinuteMs, nullptr);
    const SoundPlayed played = services_.sound(chosen->alarm.sound, SoundPlay::Repeat);
    // Without a sound the face and the notification still tell it; what is wrong is said once.
    if (played == SoundPlayed::None) SayOnce(chosen->clock, Tr(IDS_ALARM_NO_SOUND));
    if (played == SoundPlayed::Default && !chosen->alarm.sound.empty()) {
        SayOnce(chosen->clock, Tr(IDS_ALARM_SOUND_UNPLAYABLE, {chosen->alarm.sound}));
    }
}

void AlarmBell::StopSound() {
    KillTimer(owner_, kAlarmSilenceTimer);
    if (!sounding_) return;
    sounding_ = 0;
    services_.sound(L"", SoundPlay::Stop);
}

void AlarmBell::CheckChimes(std::int64_t now) {
    for (const ClockChime& chime : chimes_) {
        const std::optional<std::int64_t> moment = NextChime(chime.chime, RulesOf(chime.zone), seen_);
        // An alarm's sound is not cut short by a chime; a chime long past is not made up for.
        if (!moment || *moment > now || !RingsNow(*moment, now) || sounding_) continue;
        const SoundPlayed played = services_.sound(chime.sound, SoundPlay::Once);
        if (played == SoundPlayed::None) SayOnce(chime.clock, Tr(IDS_ALARM_NO_SOUND));
        if (played == SoundPlayed::Default && !chime.sound.empty()) {
            SayOnce(chime.clock, Tr(IDS_ALARM_SOUND_UNPLAYABLE, {chime.sound}));
        }
        break;  // one chime at a time
    }
}

void AlarmBell::Schedule() {
    std::optional<std::int64_t> next;
    for (Entry& entry : entries_) next = Earliest(next, NextOf(entry));
    for (const ClockChime& chime : chimes_) next = Earliest(next, NextChime(chime.chime, RulesOf(chime.zone), seen_));
    if (next) {
        timer_.SetFor(*next);
    } else {
        timer_.Cancel();
    }
}

void AlarmBell::Silence() {
    StopSound();
    // A ring of another clock still in its minute sounds now.
    FollowSound(Now());
    Settle();
}

void AlarmBell::Answer(int clock, bool snooze) {
    Ring* front = FrontOf(clock);
    if (!front) return;
    const Ring ring = *front;
    std::erase_if(rings_, [&](const Ring& waiting) { return waiting.id == ring.id; });
    const std::int64_t now = Now();
    if (snooze && !ring.missed) {
        for (Entry& entry : entries_) {
            // Not for an alarm switched off, changed or removed while it rang.
            if (entry.clock != ring.clock || entry.number != ring.number || !(entry.alarm == ring.alarm)) continue;
            entry.snoozedUntil = now + entry.alarm.snoozeMinutes * kMinuteMs;
            StoreSnooze(entry);
        }
    }
    ShowFronts(now);
    FollowSound(now);
    Schedule();
    SaveSeen();
    Settle();
}

std::pair<AlarmBell::Entry*, std::int64_t> AlarmBell::Soonest(int clock) {
    std::pair<Entry*, std::int64_t> soonest{nullptr, 0};
    for (Entry& entry : entries_) {
        if (entry.clock != clock) continue;
        const std::optional<std::int64_t> ring = NextOf(entry);
        if (ring && (!soonest.first || *ring < soonest.second)) soonest = {&entry, *ring};
    }
    return soonest;
}

std::optional<AlarmBell::NextAlarm> AlarmBell::Next(int clock) {
    const auto [entry, when] = Soonest(clock);
    if (!entry) return std::nullopt;
    const LocalTime local = ZoneLocalTime(RulesOf(entry->zone), when);
    return NextAlarm{entry->clock,
                     RenderPicture(PictureKind::Date, L"ddd", local) + L" " + ShownAlarmTime(entry->alarm),
                     entry->alarm.label};
}

void AlarmBell::SkipNext(int clock) {
    const auto [entry, when] = Soonest(clock);
    if (!entry) return;
    if (entry->snoozedUntil == when) {
        entry->snoozedUntil.reset();
        StoreSnooze(*entry);
    } else {
        entry->skipped = when;
        StoreSkip(*entry);
    }
    Schedule();
    Settle();
}

void AlarmBell::StoreValues(const Entry& entry, const StoredAlarm& values) {
    writes_.push_back({entry.clock, entry.number, values});
}

void AlarmBell::StoreSkip(const Entry& entry) {
    StoredAlarm values;
    values.skip = MomentText(entry.skipped);
    StoreValues(entry, values);
}

void AlarmBell::StoreSnooze(const Entry& entry) {
    StoredAlarm values;
    values.snoozed = MomentText(entry.snoozedUntil);
    StoreValues(entry, values);
}

void AlarmBell::SaveSeen() const { main_.WriteSetting(keys::kAlarmsSeen.name, std::to_wstring(seen_)); }

std::wstring AlarmBell::ClockName(int clock) {
    AlarmClock* window = host_.FindClock(clock);
    return window ? window->Name() : std::wstring();
}

void AlarmBell::SayOnce(int clock, const std::wstring& problem) {
    if (std::find(said_.begin(), said_.end(), problem) != said_.end()) return;
    said_.push_back(problem);
    pending_.emplace_back(clock, problem);
}

void AlarmBell::Settle() {
    // A store that cannot save says so in a box, and each box runs messages: a check or a reload meanwhile
    // may change every list here, but not these.
    for (const PendingWrite& write : std::exchange(writes_, {})) {
        if (AlarmClock* window = host_.FindClock(write.clock)) {
            WriteStoredAlarm(window->Store().Below(AlarmKey(write.number)), write.values);
        }
    }
    const std::vector<std::pair<int, std::wstring>> saying = std::exchange(pending_, {});
    for (const auto& [clock, problem] : saying) {
        if (AlarmClock* window = host_.FindClock(clock)) window->Report(problem);
    }
}

}  // namespace tellurane
