#include "app/clock/own_face.h"

#include <windows.h>

#include "app/system_clock.h"
#include "app/time_zones.h"
#include "logic/clock/countdown.h"
#include "logic/texts.h"

namespace tellurane {

const ZoneRules& OwnFace::Rules(const std::wstring& zone) {
    if (zone != zoneKey_ || !rules_) {
        // A zone Windows does not know shows local time, and says so after the label.
        zoneKey_ = zone;
        std::optional<ZoneRules> known = RulesForZone(zone);
        zoneKnown_ = known.has_value();
        rules_ = known ? std::move(known) : RulesForZone(L"");
        if (!rules_) rules_ = ZoneRules([](int) { return ZoneRule{}; });
    }
    return *rules_;
}

LocalTime OwnFace::LocalAt(const std::wstring& zone, std::int64_t utcMilliseconds) {
    return ZoneLocalTime(Rules(zone), utcMilliseconds);
}

int OwnFace::MinutesAheadOfLocal(const std::wstring& zone, std::int64_t utcMilliseconds) {
    const std::optional<ZoneRules> local = RulesForZone(L"");
    const int here = local ? ZoneOffsetMinutes(*local, utcMilliseconds) : 0;
    return ZoneOffsetMinutes(Rules(zone), utcMilliseconds) - here;
}

std::wstring OwnFace::Compose(OwnFaceSettings settings, const ClockReading& now, const Reporter& report) {
    reachedZero_ = false;
    const auto utc = static_cast<std::int64_t>(now.utcMilliseconds);
    const ZoneRules& rules = Rules(settings.zone);
    ClockLook& look = settings.look;
    if (!zoneKnown_) look.label += look.label.empty() ? L"(?)" : L" (?)";
    const std::optional<LocalTime> moment = ParseCountdownMoment(settings.countdown);
    if (!settings.countdown.empty() && !moment) {
        report(Tr(IDS_COUNTDOWN_UNUSABLE, {settings.countdown}));
    }
    if (moment) {
        const std::int64_t target = ZoneLocalToUtc(rules, *moment);
        if (target > utc) {
            countingTo_ = target;
        } else if (countingTo_ == target) {
            countingTo_.reset();
            reachedZero_ = true;
        }
        showsSeconds_ = target > utc;  // at zero it stays as it is
        return CountdownFaceText(look.label, target - utc);
    }
    countingTo_.reset();
    for (auto [picture, kind] :
         {std::pair{&look.timePicture, PictureKind::Time}, std::pair{&look.datePicture, PictureKind::Date}}) {
        if (const auto problem = PictureProblem(kind, *picture)) {
            report(Tr(IDS_PICTURE_UNUSABLE, {*picture, *problem}));
            picture->clear();
        }
    }
    // Without a picture of its own the switches' pattern shows seconds.
    showsSeconds_ = look.timePicture.empty() || PictureShowsSeconds(look.timePicture);
    // The computer's own time as Windows gives it at this very moment, as on the plain face: it follows a
    // change of zone even before Windows says so.
    const LocalTime there = settings.zone.empty() || !zoneKnown_ ? now.local : ZoneLocalTime(rules, utc);
    return ClockFaceText(look, there, UserLocaleTexts(), &RenderPicture, &DayOfWeekName);
}

}  // namespace tellurane
