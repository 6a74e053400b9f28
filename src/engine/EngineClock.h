// The engine's millisecond tick and the time-driven animation angle.
//
// The tick comes from a replaceable source (the steady clock by default) so that
// tests can drive it. StartTicks is taken when the engine starts (static
// initialisation); TimeAngle resets it to 0 when the tick has wrapped below it.
// Main thread only.
#pragma once

#include <functional>

#include "Vectors.h"
#include "d3d8types.h"

namespace kelDX8 {

using TickSource = std::function<DWORD()>;
// Replaces the tick source; an empty function restores the steady clock.
void SetTickSource(TickSource Source);
// Milliseconds of the current source; wraps around like a 32-bit tick counter.
DWORD CurrentTicks();

extern DWORD StartTicks;

// frac((now - StartTicks) * Frequency / 1000) * TwoPi: an angle in [0, 2 pi) that
// makes Frequency turns per second.
float TimeAngle(float Frequency);

}  // namespace kelDX8
