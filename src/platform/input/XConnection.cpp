#include "XConnection.h"

#include <X11/Xlib.h>

#include <mutex>
#include <set>

namespace {

// Xlib's break handler is one for the whole process and, by default, prints a
// line and exits. Ours stays quiet for our own connections, whose per-display
// exit handler then records the break, and hands every other display (Qt's,
// for one) to the handler that was there before.
std::mutex ownMutex;
std::set<Display*> ownDisplays;
XIOErrorHandler previousHandler = nullptr;

int OnIoError(Display* display) {
    {
        std::lock_guard lock(ownMutex);
        if (ownDisplays.count(display)) return 0;
    }
    return previousHandler ? previousHandler(display) : 0;
}

void Register(Display* display) {
    std::lock_guard lock(ownMutex);
    static const bool installed = [] {
        previousHandler = XSetIOErrorHandler(OnIoError);
        return true;
    }();
    (void)installed;
    ownDisplays.insert(display);
}

void Unregister(Display* display) {
    std::lock_guard lock(ownMutex);
    ownDisplays.erase(display);
}

}  // namespace

std::shared_ptr<XConnection> XConnection::Open(const std::string& displayName) {
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!display) return nullptr;
    return std::shared_ptr<XConnection>(new XConnection(display));
}

XConnection::XConnection(Display* display) : display_(display) {
    Register(display_);
    XSetIOErrorExitHandler(display_, &XConnection::OnBroken, this);
}

XConnection::~XConnection() {
    XCloseDisplay(display_);
    Unregister(display_);
}

void XConnection::OnBroken(Display*, void* self) { static_cast<XConnection*>(self)->lost_ = true; }

std::optional<XConnection::KeyBits> XConnection::QueryKeys() {
    if (lost_) return std::nullopt;
    KeyBits keys{};
    XQueryKeymap(display_, reinterpret_cast<char*>(keys.data()));
    if (lost_) return std::nullopt;
    return keys;
}

std::optional<XConnection::Pointer> XConnection::QueryPointer() {
    if (lost_) return std::nullopt;
    Window root = 0, child = 0;
    int windowX = 0, windowY = 0;
    Pointer p{0, 0, 0};
    // False only when the pointer is on another screen; the root position is
    // still that of the pointer.
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &p.x, &p.y, &windowX, &windowY, &p.buttons);
    if (lost_) return std::nullopt;
    return p;
}
