#include "platform/screensaver/ScreenSaver.h"
#include "platform/screensaver/XServerScreenSaver.h"

#include "Harness.h"

#include <gtest/gtest.h>

#include <QDBusConnection>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace std::chrono_literals;

// The X server's screen saver on a private display, set to come on after one
// idle second.
class XServerScreenSaverTest : public ::testing::Test {
protected:
    XServerScreenSaverTest() : observer_(XOpenDisplay(display_.name().c_str())) {
        if (!observer_) return;
        XSetScreenSaver(observer_, 1, 0, DontPreferBlanking, AllowExposures);
        XResetScreenSaver(observer_);
        XSync(observer_, False);
    }
    ~XServerScreenSaverTest() override {
        if (observer_) XCloseDisplay(observer_);
    }

    bool SaverComesOnWithin(e2e::Millis limit) {
        return e2e::WaitUntil(
            [&] {
                XScreenSaverInfo info{};
                XScreenSaverQueryInfo(observer_, DefaultRootWindow(observer_), &info);
                return info.state == ScreenSaverOn;
            },
            limit);
    }

    e2e::Display display_;
    Display* observer_;
};

TEST_F(XServerScreenSaverTest, SuspendsTheServersSaverUntilReleased) {
    ASSERT_NE(observer_, nullptr);
    screensaver::XServerScreenSaver saver(display_.name());
    saver.SetScreenSaverActive(false);
    saver.SetScreenSaverActive(false);
    EXPECT_FALSE(SaverComesOnWithin(2500ms)) << "the saver came on during the suspension";

    // One release lifts the suspension, however many times it was asked for.
    saver.SetScreenSaverActive(true);
    EXPECT_TRUE(SaverComesOnWithin(20s));
}

TEST(SystemScreenSaverTest, WithoutASessionBusOrADisplayEveryRequestIsSilent) {
    e2e::TempDir nowhere;
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (nowhere / "no-bus").string()).c_str(), 1);
    unsetenv("DISPLAY");
    ASSERT_FALSE(QDBusConnection::sessionBus().isConnected());

    std::unique_ptr<screensaver::IScreenSaver> saver = screensaver::CreateSystemScreenSaver();
    ASSERT_NE(saver, nullptr);
    saver->SetScreenSaverActive(false);
    saver->SetScreenSaverActive(true);
    saver->SetScreenSaverActive(false);
}

}  // namespace
