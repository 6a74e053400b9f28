#include "slideshow/RandomSource.h"

#include <chrono>
#include <cmath>

TClockSeededRandom::TClockSeededRandom()
    : engine_(static_cast<std::mt19937::result_type>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

int TClockSeededRandom::Below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(engine_); }

double TClockSeededRandom::Fraction() {
    // The distribution may round up to 1 itself; the drift needs the half-open range.
    const double value = std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
    return value < 1.0 ? value : std::nextafter(1.0, 0.0);
}
