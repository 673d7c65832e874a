#pragma once
// The face of a clock after the first: its label, then the time and the date as its own pictures say,
// or as its switches say where it has no picture; or the time left when it counts down.

#include <functional>
#include <string>

#include "logic/clock/face_text.h"
#include "logic/clock/picture.h"
#include "logic/local_time.h"

namespace tellurane {

struct ClockLook {
    std::wstring label;
    bool military = false, dayFirst = false, weekday = false;
    std::wstring timePicture, datePicture;
};

using WeekdayNamer = std::function<std::wstring(const LocalTime&)>;

// The weekday follows the date only where the switches make the date: a picture names it with dddd.
std::wstring ClockFaceText(const ClockLook& look, const LocalTime& local, const LocaleTexts& locale,
                           const PictureRenderer& render, const WeekdayNamer& weekdayName);

// The label, if any, and the time left.
std::wstring CountdownFaceText(const std::wstring& label, std::int64_t millisecondsLeft);

}  // namespace tellurane
