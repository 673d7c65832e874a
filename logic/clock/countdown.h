#pragma once
// A clock that counts down to a moment: the moment as stored, and the time left as the face shows it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "logic/local_time.h"

namespace tellurane {

// "YYYY-MM-DDTHH:MM:SS", every field in range (the day within its month); nothing else.
std::optional<LocalTime> ParseCountdownMoment(std::wstring_view text);
std::wstring CountdownMomentText(const LocalTime& moment);

// The time left, counted in whole seconds rounded up, so that 0 shows from the moment on:
// "3 d 04:12:09", under a day "04:12:09", and "0" once it is reached.
std::wstring CountdownText(std::int64_t millisecondsLeft);

}  // namespace tellurane
