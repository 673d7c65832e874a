#pragma once
// Where the bench puts the clocks after the first, in pixels: three columns of rows below the reference's
// first window (at the top left), leaving out the band across the middle of the screen where Tellurane's
// first clock sits, so that even 16 clocks overlap only at their side edges. bench/run.sh gives
// Tellurane's stored clocks the same places.

#include <windows.h>

namespace tellurane::bench {

inline constexpr int kPlaces = 17;  // 7 rows of 3, less the first clock's row and the middle of the one above

// index: 0 for the second clock; past the last place they start again from the first.
inline POINT ExtraClockPlace(int index) {
    index %= kPlaces;
    int cell = 0;
    for (int row = 0;; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (row == 3 || (row == 2 && column == 1)) continue;
            if (cell++ == index) return {401 * column, 100 + 97 * row};
        }
    }
}

}  // namespace tellurane::bench
