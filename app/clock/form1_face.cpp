// The first clock's face of its own (a zone, label, picture or countdown), and what a change of Windows'
// time or zone does to every face.

#include "app/clock/form1.h"

#include <commctrl.h>

#include "logic/clock/tick_schedule.h"
#include "logic/error_report.h"
#include "logic/setting_keys.h"
#include "logic/texts.h"
#include "win32/boundary.h"

namespace tellurane {

// A zone, label, picture or countdown of its own: then the first clock shows what the others show.
bool Form1::HasOwnFace() const {
    for (const Setting* key :
         {&keys::kTimeZone, &keys::kLabel, &keys::kTimePicture, &keys::kDatePicture, &keys::kCountdown}) {
        if (!Store().CachedText(*key).empty()) return true;
    }
    return false;
}

void Form1::Tick(const ClockReading&) { Timer1_Timer(); }

// A value of its own face that cannot be used: said as the tick's failures are.
void Form1::Say(const std::wstring& description) { ReportTickFailure(description, location::kForm1Tick, 0); }

}  // namespace tellurane
