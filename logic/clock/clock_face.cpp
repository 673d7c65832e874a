#include "logic/clock/clock_face.h"

#include "logic/clock/countdown.h"

namespace tellurane {

std::wstring ClockFaceText(const ClockLook& look, const LocalTime& local, const LocaleTexts& locale,
                           const PictureRenderer& render, const WeekdayNamer& weekdayName) {
    const std::wstring time = look.timePicture.empty()
                                  ? FormatDateTime(look.military ? kTime24 : kTime12, local, locale)
                                  : render(PictureKind::Time, look.timePicture, local);
    std::wstring date;
    if (look.datePicture.empty()) {
        date = FormatDateTime(look.dayFirst ? kDayFirst : kMonthFirst, local, locale);
        if (look.weekday) date += L" " + weekdayName(local);
    } else {
        date = render(PictureKind::Date, look.datePicture, local);
    }
    return FaceLine(look.label, time, date);
}

std::wstring CountdownFaceText(const std::wstring& label, std::int64_t millisecondsLeft) {
    return FaceLine(label, CountdownText(millisecondsLeft), L"");
}

}  // namespace tellurane
