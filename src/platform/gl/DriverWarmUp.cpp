#include "DriverWarmUp.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include "DriverLibraries.h"

namespace gl {
namespace {

void LoadDriver() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return;
    int count = 0;
    if (GLXFBConfig* configs = glXGetFBConfigs(display, DefaultScreen(display), &count)) XFree(configs);
    // Closing the connection would unload the driver again.
    KeepDriverLibrariesLoaded();
    XCloseDisplay(display);
}

}  // namespace

DriverWarmUp::DriverWarmUp() : thread_(LoadDriver) {}

DriverWarmUp::~DriverWarmUp() { thread_.join(); }

}  // namespace gl
