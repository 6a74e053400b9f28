#include "slideshow/RandomSource.h"

#include <chrono>

TClockSeededRandom::TClockSeededRandom()
    : engine_(static_cast<std::mt19937::result_type>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

int TClockSeededRandom::Below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(engine_); }
