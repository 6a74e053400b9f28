// The GL driver loaded on a thread of its own while the program makes its
// dialogs. Loading a driver (Mesa's software one brings a compiler library of
// its own) takes tens of milliseconds that otherwise come before the show's
// first frame; once loaded, the driver stays (DriverLibraries.h), and making
// the device's context later finds it there.
#pragma once

#include <thread>

namespace gl {

class DriverWarmUp {
public:
    // Starts: a private connection to the X display of $DISPLAY asks for the
    // default screen's GLX framebuffer configurations, which loads that screen's
    // driver. Without a display or GLX it does nothing.
    DriverWarmUp();
    // Waits for the thread.
    ~DriverWarmUp();
    DriverWarmUp(const DriverWarmUp&) = delete;
    DriverWarmUp& operator=(const DriverWarmUp&) = delete;

private:
    std::thread thread_;
};

}  // namespace gl
