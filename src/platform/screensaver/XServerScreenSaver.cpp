#include "platform/screensaver/XServerScreenSaver.h"

#include "XConnection.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <utility>

namespace screensaver {

namespace {

// Suspension came with version 1.1 of the extension.
bool CanSuspend(Display* display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)) return false;
    if (!XScreenSaverQueryVersion(display, &major, &minor)) return false;
    return major > 1 || (major == 1 && minor >= 1);
}

}  // namespace

XServerScreenSaver::XServerScreenSaver(std::string displayName) : displayName_(std::move(displayName)) {}

XServerScreenSaver::~XServerScreenSaver() = default;

void XServerScreenSaver::SetScreenSaverActive(bool active) {
    if (active) {
        suspending_.reset();  // closing the connection lifts the suspension
        return;
    }
    if (suspending_) return;
    std::shared_ptr<XConnection> connection = XConnection::Open(displayName_);
    if (!connection || !CanSuspend(connection->display())) return;
    XScreenSaverSuspend(connection->display(), True);
    XSync(connection->display(), False);
    if (!connection->Lost()) suspending_ = std::move(connection);
}

}  // namespace screensaver
