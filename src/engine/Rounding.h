// Rounding to the nearest integer with halves to even (2.5 -> 2, 3.5 -> 4),
// independent of the floating-point environment's rounding mode.
#pragma once

#include <cmath>

namespace kelDX8 {

// Gives a whole number as a double; NaN stays NaN, infinities stay.
inline double RoundHalfEven(double value) {
    double below = std::floor(value);
    double rest = value - below;
    if (rest > 0.5) return below + 1;
    if (rest < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

}  // namespace kelDX8
