#include "GuiEnvironment.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <memory>

#include "windows/Fonts.h"

namespace {

class GuiEnvironment : public testing::Environment {
public:
    void SetUp() override {
        display_ = std::make_unique<e2e::Display>(1024, 768);
        setenv("DISPLAY", display_->name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        unsetenv("WAYLAND_DISPLAY");
        setenv("LUMETTA_E2E_ARTIFACTS", LUMETTA_ARTIFACTS, 0);
        static int argc = 1;
        static char name[] = "windows_gui_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        RegisterWindowFonts();
    }
    void TearDown() override {
        app_.reset();
        display_.reset();
    }
    const e2e::Display& display() const { return *display_; }

private:
    std::unique_ptr<e2e::Display> display_;
    std::unique_ptr<QApplication> app_;
};

GuiEnvironment* const environment =
    static_cast<GuiEnvironment*>(testing::AddGlobalTestEnvironment(new GuiEnvironment));

}  // namespace

const e2e::Display& TestDisplay() { return environment->display(); }

bool ShowAndWait(QWidget& widget) {
    widget.show();
    widget.activateWindow();  // as a window the user opens gets the keyboard
    bool exposed = QTest::qWaitForWindowExposed(&widget, 5000) && QTest::qWaitForWindowActive(&widget, 5000);
    QTest::qWait(50);  // lets the first paint reach the server
    return exposed;
}

e2e::Screenshot GrabAndSave(const QString& name) {
    QApplication::processEvents();
    auto shot = e2e::Screenshot::Grab(TestDisplay());
    shot.SavePng(e2e::ArtifactFolder() / (name.toStdString() + ".png"));
    return shot;
}
