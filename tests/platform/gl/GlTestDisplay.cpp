#include "GlTestDisplay.h"

#include <QGuiApplication>
#include <QScreen>

#include <X11/Xlib.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace gltest {
namespace {

struct Session {
    Session(int width, int height) : display(width, height) {
        setenv("DISPLAY", display.name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
        unsetenv("WAYLAND_DISPLAY");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    e2e::Display display;
    int argc = 1;
    char name[16] = "gl_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
};

std::unique_ptr<Session> session;

Session& TheSession(int width, int height) {
    if (!session) session = std::make_unique<Session>(width, height);
    if (session->display.width() != width || session->display.height() != height)
        throw std::logic_error("one display size per test process");
    return *session;
}

void SyncWithServer() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->display()) XSync(x11->display(), False);
}

}  // namespace

const e2e::Display& TestDisplay(int width, int height) { return TheSession(width, height).display; }

void EndTestDisplay() { session.reset(); }

std::unique_ptr<QWindow> ScreenWindow() {
    auto window = std::make_unique<QWindow>();
    window->setFlags(Qt::FramelessWindowHint);
    window->setGeometry(QGuiApplication::primaryScreen()->geometry());
    return window;
}

void ShowAndWaitExposed(QWindow& window) {
    window.show();
    e2e::WaitUntil(
        [&window] {
            QCoreApplication::processEvents();
            return window.isExposed();
        },
        e2e::Millis(10000), e2e::Millis(10));
    if (!window.isExposed()) throw std::runtime_error("the window was not exposed");
}

e2e::Screenshot GrabScreen() {
    SyncWithServer();
    return e2e::Screenshot::Grab(session ? session->display : TestDisplay());
}

}  // namespace gltest
