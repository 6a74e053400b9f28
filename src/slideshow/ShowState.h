// The slideshow window's show state: the surface's placement, the speed, the
// position in the photo list and the drift still owed to the next photo. The
// window owns it; the slide cycle and its commands change it.
#pragma once

#include <cstdint>

struct TShowState {
    double SurfaceX = 0, SurfaceY = 0;
    bool StopRequested = false;
    // Pause per animation step in tens of milliseconds, 1 to 10.
    std::int32_t Delay = 2;
    bool Paused = false;
    std::int32_t Index = 0;
    double SurfaceDepth = 0;
    double PendingPush = 0, PendingTurn = 0;
    double CarryX = 0, CarryY = 0;
    // The next photo is not the one prepared in the background.
    bool Jumped = false;
    bool MusicStarted = false;
};
