#include "XScreenSize.h"

#include <X11/Xlib.h>

namespace gl {

lumetta::images::PictureSize XScreenSize() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return {};
    const int screen = DefaultScreen(display);
    lumetta::images::PictureSize size{static_cast<std::uint32_t>(DisplayWidth(display, screen)),
                                      static_cast<std::uint32_t>(DisplayHeight(display, screen))};
    XCloseDisplay(display);
    return size;
}

}  // namespace gl
