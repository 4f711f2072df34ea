// The two numeric conventions that the chart's pixel and label arithmetic shares.
#pragma once

#include <algorithm>
#include <cmath>

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline double RoundHalfEven(double v) {
    return std::nearbyint(v); // the default floating-point environment rounds to nearest-even
}

// Two doubles count as the same value when they differ by at most the larger of 1e-12 and 1e-12
// times the smaller magnitude.
inline bool SameValue(double a, double b) {
    const double tolerance = std::max(1e-12, 1e-12 * std::min(std::fabs(a), std::fabs(b)));
    return std::fabs(a - b) <= tolerance;
}
