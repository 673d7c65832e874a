#pragma once
#include <cstdint>

namespace tellurane {

struct LocalTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    int dayOfWeek = 6;  // 0 Sunday ... 6 Saturday
};

// One reading of the clock: the local time to show, and the wall clock to schedule by.
struct ClockReading {
    LocalTime local;
    std::uint64_t utcMilliseconds = 0;  // since 1601, as Windows counts
};

}  // namespace tellurane
