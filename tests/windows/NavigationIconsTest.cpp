// The navigation overlay on a real display: shape and place, the one-picture
// rule, and a paint that reaches the screen while the caller stays busy.
#include <gtest/gtest.h>

#include <QBitmap>
#include <QLabel>
#include <QTest>
#include <chrono>
#include <thread>

#include "GuiEnvironment.h"
#include "windows/NavigationIcons.h"

// Xlib last: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// The atoms an X window carries in an atom-list property, by name.
std::vector<std::string> AtomProperty(WId window, const char* property) {
    std::vector<std::string> names;
    ::Display* x = XOpenDisplay(TestDisplay().name().c_str());
    if (!x) return names;
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(x, window, XInternAtom(x, property, False), 0, 64, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        for (unsigned long i = 0; i < count; ++i) {
            char* name = XGetAtomName(x, reinterpret_cast<Atom*>(data)[i]);
            names.emplace_back(name);
            XFree(name);
        }
        XFree(data);
    }
    XCloseDisplay(x);
    return names;
}

bool Has(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

const char* const kImages[] = {"imgForward", "imgFastForward", "imgBackward", "imgFastBackward"};

std::vector<std::string> VisibleImages(TfrmNavigationIcons& overlay) {
    std::vector<std::string> visible;
    for (const char* name : kImages)
        if (overlay.findChild<QLabel*>(name)->isVisible()) visible.push_back(name);
    return visible;
}

TEST(NavigationIcons, SmallRoundedToolWindowEightyPixelsFromTheCorner) {
    TfrmNavigationIcons overlay;
    EXPECT_FALSE(overlay.isVisible());
    Qt::WindowFlags flags = overlay.windowFlags();
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_DOUBLE_EQ(overlay.windowOpacity(), 200.0 / 255.0);
    EXPECT_EQ(overlay.geometry(), QRect(1024 - 200, 768 - 200, 120, 120));

    QRegion mask = overlay.mask();
    for (QPoint cut : {QPoint(0, 0), QPoint(119, 0), QPoint(0, 119), QPoint(119, 119), QPoint(1, 1)})
        EXPECT_FALSE(mask.contains(cut)) << cut.x() << "," << cut.y();
    for (QPoint kept : {QPoint(10, 0), QPoint(0, 10), QPoint(60, 60), QPoint(119, 60), QPoint(60, 119), QPoint(4, 4)})
        EXPECT_TRUE(mask.contains(kept)) << kept.x() << "," << kept.y();

    // What a window manager reads: a utility window (no taskbar entry), kept above the others.
    overlay.ShowForward();
    EXPECT_TRUE(Has(AtomProperty(overlay.winId(), "_NET_WM_WINDOW_TYPE"), "_NET_WM_WINDOW_TYPE_UTILITY"));
    EXPECT_TRUE(Has(AtomProperty(overlay.winId(), "_NET_WM_STATE"), "_NET_WM_STATE_ABOVE"));

    for (const char* name : kImages) {
        auto* image = overlay.findChild<QLabel*>(name);
        ASSERT_TRUE(image) << name;
        EXPECT_EQ(image->geometry(), QRect(10, 10, 105, 105)) << name;
        EXPECT_EQ(image->pixmap().size(), QSize(100, 100)) << name;
    }
}

TEST(NavigationIcons, AtMostOnePictureIsVisibleAndACloseLeavesNone) {
    TfrmNavigationIcons overlay;
    using Show = void (TfrmNavigationIcons::*)();
    const std::pair<Show, const char*> steps[] = {
        {&TfrmNavigationIcons::ShowForward, "imgForward"},
        {&TfrmNavigationIcons::ShowForward, "imgForward"},
        {&TfrmNavigationIcons::ShowFastForward, "imgFastForward"},
        {&TfrmNavigationIcons::ShowBackward, "imgBackward"},
        {&TfrmNavigationIcons::ShowFastBackward, "imgFastBackward"},
    };
    for (const auto& [show, expected] : steps) {
        (overlay.*show)();
        EXPECT_TRUE(overlay.isVisible());
        EXPECT_EQ(VisibleImages(overlay), std::vector<std::string>{expected});
    }
    overlay.close();
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_TRUE(VisibleImages(overlay).empty());
    overlay.ShowBackward();
    EXPECT_EQ(VisibleImages(overlay), std::vector<std::string>{"imgBackward"}) << "no leftover from the last gesture";
}

// The caller of a Show operation busy-waits, as the show's hold loops do,
// without serving any event: the overlay must be on screen all the same.
TEST(NavigationIcons, IsPaintedAtOnceWhileTheCallerIsBusy) {
    QWidget backdrop;  // white under the overlay, so its cut corners show
    backdrop.setGeometry(0, 0, 1024, 768);
    backdrop.setWindowFlag(Qt::FramelessWindowHint);
    backdrop.setStyleSheet("background: white");
    ASSERT_TRUE(ShowAndWait(backdrop));
    TfrmNavigationIcons overlay;
    const int left = 1024 - 200, top = 768 - 200;

    overlay.ShowFastForward();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // busy: no event processing
    auto shot = e2e::Screenshot::Grab(TestDisplay());
    shot.SavePng(e2e::ArtifactFolder() / "overlay-fast-forward.png");
    // Two triangles with their backs at x = 20 and 50 of the picture, tips at 50 and 80.
    EXPECT_TRUE(e2e::Near(shot.At(left + 10 + 25, top + 10 + 50), {255, 255, 255}, 30));
    EXPECT_TRUE(e2e::Near(shot.At(left + 10 + 55, top + 10 + 50), {255, 255, 255}, 30));
    EXPECT_TRUE(e2e::Near(shot.At(left + 10 + 90, top + 10 + 50), {0, 0, 0}, 30));
    EXPECT_TRUE(e2e::Near(shot.At(left + 5, top + 60), {0, 0, 0}, 30)) << "the window's black";
    for (QPoint corner : {QPoint(left, top), QPoint(left + 119, top), QPoint(left, top + 119), QPoint(left + 119, top + 119)})
        EXPECT_TRUE(e2e::Near(shot.At(corner.x(), corner.y()), {255, 255, 255}, 30)) << "corners are cut off";
    EXPECT_TRUE(e2e::Near(shot.At(left + 120, top + 60), {255, 255, 255}, 30)) << "120 pixels wide";
    EXPECT_TRUE(e2e::Near(shot.At(left + 119, top + 60), {0, 0, 0}, 30));

    overlay.ShowBackward();  // switched while shown
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    shot = e2e::Screenshot::Grab(TestDisplay());
    shot.SavePng(e2e::ArtifactFolder() / "overlay-backward.png");
    // One triangle pointing left: tip at x = 35, back at 65 of the picture.
    EXPECT_TRUE(e2e::Near(shot.At(left + 10 + 58, top + 10 + 50), {255, 255, 255}, 30));
    EXPECT_TRUE(e2e::Near(shot.At(left + 10 + 25, top + 10 + 50), {0, 0, 0}, 30)) << "the double arrow is gone";
}

}  // namespace
