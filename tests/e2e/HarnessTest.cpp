// The harness itself: a display starts, keys reach it, screenshots read it.
#include <gtest/gtest.h>

#include "Harness.h"

using namespace e2e;

TEST(Harness, DisplayScreenshotAndKeys) {
    Display display(640, 480);
    auto shot = Screenshot::Grab(display);
    EXPECT_EQ(shot.width(), 640);
    EXPECT_EQ(shot.height(), 480);
    EXPECT_TRUE(shot.SavePng(ArtifactFolder() / "harness-empty-display.png"));

    Input input(display);
    input.KeyDown("space");
    EXPECT_TRUE(input.IsDown("space"));
    input.KeyUp("space");
    EXPECT_FALSE(input.IsDown("space"));
}

TEST(Harness, ProgramRunsInItsOwnInstallation) {
    Display display;
    TempDir home, empty;
    Installation install;
    Process p({install.binary().string(), empty.path().string()}, ProgramEnvironment(display, home), home.path());
    auto code = p.Wait(60s);
    ASSERT_TRUE(code) << "the program did not end";
    EXPECT_EQ(*code, 0) << p.Output();
    EXPECT_TRUE(fs::exists(install.folder() / "settings.txt"));
}
