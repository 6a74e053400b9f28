// Keeps the desktop from starting its screen saver or blanking the screen
// while the slideshow window exists. Pure C++; the backends beside this header
// ask the desktop's screen-saver service over D-Bus and suspend the X server's
// own screen saver.
//
// Contract:
// - Main thread only.
// - Never throws. A failure (no session bus, no screen-saver service, a
//   service that does not answer in time) is silent: the screen saver may then
//   start during the show, but the show goes on. Every request to the desktop
//   is bounded in time, so a hung service cannot hang the program.
// - If the process dies while it holds an inhibition, the desktop drops the
//   inhibition by itself (it goes with the process's bus connection).
#pragma once

#include <memory>

namespace screensaver {

class IScreenSaver {
public:
    // Destroying the service releases an inhibition it still holds.
    virtual ~IScreenSaver() = default;

    // false: inhibit the screen saver; while an inhibition is held, further
    // calls with false do nothing (one inhibition, however many requests).
    // true: release the inhibition; does nothing when none is held.
    // A request that fails leaves nothing held, so the next false asks again.
    virtual void SetScreenSaverActive(bool active) = 0;
};

// The desktop's screen saver of this session. Never null; on a system without
// a session bus the service simply holds nothing.
std::unique_ptr<IScreenSaver> CreateSystemScreenSaver();

}  // namespace screensaver
