#include "EngineClock.h"

#include <chrono>
#include <cmath>
#include <utility>

namespace kelDX8 {
namespace {

DWORD SteadyTicks() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

TickSource& Source() {
    static TickSource source;
    return source;
}

}  // namespace

void SetTickSource(TickSource NewSource) { Source() = std::move(NewSource); }

DWORD CurrentTicks() {
    const auto& source = Source();
    return source ? source() : SteadyTicks();
}

DWORD StartTicks = CurrentTicks();

float TimeAngle(float Frequency) {
    float now = static_cast<float>(CurrentTicks());
    if (static_cast<double>(StartTicks) > now) StartTicks = 0;
    double turns = (static_cast<double>(now) - StartTicks) * Frequency / 1000.0;
    return static_cast<float>((turns - std::trunc(turns)) * TwoPi);
}

}  // namespace kelDX8
