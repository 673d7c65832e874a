#pragma once
// What a clock of one's own shows: its zone's time in its pictures and its label, or the time left to
// its countdown. The zone's rules are read once per zone (and kept per year), not at every tick, and
// forgotten when Windows says the time or the zone changed; local time is read as the plain face reads it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "logic/clock/clock_face.h"
#include "logic/clock/time_zone.h"
#include "logic/local_time.h"

namespace tellurane {

// The values of a clock's own, as stored.
struct OwnFaceSettings {
    std::wstring zone;       // a Windows time-zone key, "UTC", or empty for the computer's own
    std::wstring countdown;  // YYYY-MM-DDTHH:MM:SS in the zone, or empty
    ClockLook look;          // the label, the switches and the pictures
};

class OwnFace {
public:
    // A value that cannot be used is said through report (the clock carries on without it).
    using Reporter = std::function<void(const std::wstring& description)>;

    // The face's text at that moment.
    std::wstring Compose(OwnFaceSettings settings, const ClockReading& now, const Reporter& report);
    // The zone's rules are read again at the next Compose.
    void ForgetRules() noexcept { rules_.reset(); }
    // Whether the last Compose saw its countdown reach 0 while it ran (said once, not at every start).
    bool ReachedZero() const noexcept { return reachedZero_; }
    // What the last Compose showed changes every second (else every minute).
    bool ShowsSeconds() const noexcept { return showsSeconds_; }
    // The time in the zone at that moment, and how far the zone is ahead of the computer's own time.
    LocalTime LocalAt(const std::wstring& zone, std::int64_t utcMilliseconds);
    int MinutesAheadOfLocal(const std::wstring& zone, std::int64_t utcMilliseconds);
    // The moment its countdown reaches 0, while it is still ahead (UTC milliseconds since 1601).
    std::optional<std::int64_t> NextMoment() const noexcept { return countingTo_; }

private:
    const ZoneRules& Rules(const std::wstring& zone);

    std::wstring zoneKey_ = L"\x1";  // the zone the rules are for; never a stored text at first
    std::optional<ZoneRules> rules_;
    bool zoneKnown_ = true;
    std::optional<std::int64_t> countingTo_;  // a moment still ahead when last seen
    bool reachedZero_ = false;
    bool showsSeconds_ = true;
};

}  // namespace tellurane
