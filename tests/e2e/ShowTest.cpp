// The show as a person meets it: the real program on a private display with a
// folder of photos of distinct colours, steered with real key presses.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "Harness.h"

using namespace e2e;

namespace {

constexpr Rgb kBackground{16, 16, 16};
constexpr int kMostPhotos = 25;
// The show reads its keys once per animation step (up to 100 ms plus a frame
// apart at the slowest speed), so a key must stay down longer than that to
// count; a short press of an arrow must stay under the 0.5 s of a hold.
constexpr Millis kTap = 300ms;

// Photo i's colour; the red channel alone tells the photos apart.
Rgb PhotoColour(int i) {
    return {static_cast<std::uint8_t>(30 + 8 * i), static_cast<std::uint8_t>(200 - 4 * i),
            static_cast<std::uint8_t>(i % 2 ? 60 : 180)};
}

// Settings of a folder's own file: no music, `delay`, drift on or off, `lastIndex`.
std::string SettingsText(int delay, int lastIndex = -1, bool moving = true) {
    return "none\r\n\r\n-1\r\n" + std::to_string(delay) + (moving ? "\r\n-1\r\n" : "\r\n0\r\n") +
           std::to_string(lastIndex) + "\r\n0\r\n";
}

struct Show {
    Display display;
    TempDir home;
    Installation install;
    TempDir photos;
    std::map<std::string, std::string> env = ProgramEnvironment(display, home);
    std::unique_ptr<Process> program;
    Input input{display};

    // `count` portrait photos of 240 x 320, which leave the dark grey
    // background in view at the sides; the folder lists them in any order, and
    // PhotoAt maps a list position to the photo's own number.
    Show(int count, int delay, int lastIndex = -1, bool moving = true) {
        for (int i = 0; i < count; ++i) WriteSolidBmp(PhotoFile(i), 240, 320, PhotoColour(i));
        WriteFile(photos / "Lumetta" / "settings.txt", SettingsText(delay, lastIndex, moving));
        order = DirectoryOrder(photos.path());
        std::erase(order, "Lumetta");
    }
    ~Show() {
        if (program && program->Running()) program->Kill();
    }
    fs::path PhotoFile(int i) const { return photos / ("photo" + std::to_string(i) + ".bmp"); }
    // The photo (by its own number) at a list position.
    int PhotoAt(int position) const { return std::stoi(order.at(position).substr(5)); }

    void Start(const std::vector<std::string>& args = {}) {
        std::vector<std::string> argv = {install.binary().string()};
        if (args.empty()) argv.push_back(photos.path().string());
        argv.insert(argv.end(), args.begin(), args.end());
        program = std::make_unique<Process>(argv, env, home.path());
    }
    // Starts a show of the folder; whether its first photo came on screen.
    bool StartedShowing() {
        Start();
        return WaitForPosition(0);
    }
    // The photo (by its own number) at the screen's centre; -1 for none.
    int ShownPhoto(const Screenshot& shot) const {
        Rgb centre = shot.At(shot.width() / 2, shot.height() / 2);
        for (int i = 0; i < kMostPhotos; ++i)
            if (Near(centre, PhotoColour(i), 3)) return i;
        return -1;
    }
    bool WaitUntilOtherPhoto(int photo, Millis limit = 30s) {
        return WaitUntil([&] {
            int shown = ShownPhoto(Screenshot::Grab(display));
            return shown >= 0 && shown != photo;
        }, limit, 40ms);
    }
    bool WaitForPhoto(int photo, Millis limit = 30s) {
        return WaitUntil([&] { return ShownPhoto(Screenshot::Grab(display)) == photo; }, limit, 40ms);
    }
    bool WaitForPosition(int position, Millis limit = 30s) { return WaitForPhoto(PhotoAt(position), limit); }
    void Save(const Screenshot& shot, const std::string& name) const { shot.SavePng(ArtifactFolder() / name); }
    std::string StoredSettings() const { return ReadFile(photos / "Lumetta" / "settings.txt"); }

    std::vector<std::string> order;
};

// Width and height from a BMP file's header.
std::pair<int, int> BmpSize(const fs::path& file) {
    std::string bytes = ReadFile(file);
    if (bytes.size() < 26 || bytes.compare(0, 2, "BM") != 0) return {0, 0};
    auto at = [&](int offset) {
        return static_cast<int>(static_cast<unsigned char>(bytes[offset]) |
                                static_cast<unsigned char>(bytes[offset + 1]) << 8 |
                                static_cast<unsigned char>(bytes[offset + 2]) << 16 |
                                static_cast<unsigned char>(bytes[offset + 3]) << 24);
    };
    return {at(18), std::abs(at(22))};
}

}  // namespace

TEST(Show, FirstPhotoAppearsFittedOnTheDarkGreyBackground) {
    Show show(3, 10, -1, false);  // no drift: the photo stays where the fit puts it
    ASSERT_TRUE(show.StartedShowing()) << show.program->Output();
    Screenshot shot = Screenshot::Grab(show.display);
    show.Save(shot, "show-first-photo.png");
    EXPECT_TRUE(Near(shot.At(2, 2), kBackground, 2));
    EXPECT_TRUE(Near(shot.At(shot.width() - 3, shot.height() - 3), kBackground, 2));
    // A 3:4 photo on a 4:3 screen sits at depth 0.1625, 1.4125 from the eye,
    // which sees 2.825 units of height there: the photo's 3 units overfill the
    // height a little and take 0.6 of the width, centred.
    auto box = shot.BoundsOfNot(kBackground, 4);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.bottom, shot.height() - 1);
    double expectedWidth = 3.0 * 0.75 / (2.825 * 4.0 / 3.0) * shot.width();
    EXPECT_NEAR(box.width(), expectedWidth, 4)
        << box.left << "," << box.top << " - " << box.right << "," << box.bottom;
    EXPECT_NEAR((box.left + box.right) / 2.0, shot.width() / 2.0, 2);
}

TEST(Show, ArrowKeysStepAndHoldingJumpsTenWithTheOverlay) {
    Show show(20, 10);
    ASSERT_TRUE(show.StartedShowing()) << show.program->Output();
    Input& input = show.input;

    input.Press("Right", kTap);
    EXPECT_TRUE(show.WaitForPosition(1));

    input.KeyDown("Right");
    std::this_thread::sleep_for(900ms);
    Screenshot held = Screenshot::Grab(show.display);
    show.Save(held, "show-hold-right-overlay.png");
    std::this_thread::sleep_for(150ms);
    input.KeyUp("Right");
    // The overlay's black square near the lower right corner, with an arrow in it.
    int x0 = show.display.width() - 200, y0 = show.display.height() - 200;
    EXPECT_TRUE(Near(held.At(x0 + 60, y0 + 12), {0, 0, 0}, 4)) << "no overlay during the hold";
    bool arrow = false;
    for (int y = y0 + 10; y < y0 + 110 && !arrow; ++y)
        for (int x = x0 + 10; x < x0 + 110 && !arrow; ++x) arrow = !Near(held.At(x, y), {0, 0, 0}, 40);
    EXPECT_TRUE(arrow) << "the overlay shows no arrow";
    EXPECT_EQ(show.ShownPhoto(held), show.PhotoAt(1)) << "the photo stays during the hold";
    EXPECT_TRUE(show.WaitForPosition(11)) << "a hold of about 1 s moves 10 on";
    EXPECT_TRUE(Near(Screenshot::Grab(show.display).At(x0 + 60, y0 + 12), kBackground, 4))
        << "the overlay stays after the release";

    input.Press("Left", kTap);
    EXPECT_TRUE(show.WaitForPosition(10)) << "Left goes back one";
}

TEST(Show, SpaceFreezesThePicture) {
    Show show(3, 1);
    ASSERT_TRUE(show.StartedShowing()) << show.program->Output();
    Input& input = show.input;
    input.Press("space", kTap);
    std::this_thread::sleep_for(500ms);
    Screenshot first = Screenshot::Grab(show.display);
    std::this_thread::sleep_for(3s);  // three photos' time at this speed
    Screenshot later = Screenshot::Grab(show.display);
    int frozen = show.ShownPhoto(first);
    EXPECT_GE(frozen, 0);
    EXPECT_EQ(show.ShownPhoto(later), frozen);
    auto a = first.BoundsOfNot(kBackground, 4), b = later.BoundsOfNot(kBackground, 4);
    EXPECT_EQ(std::tie(a.left, a.top, a.right, a.bottom), std::tie(b.left, b.top, b.right, b.bottom))
        << "the picture moved while paused";
    input.Press("space", kTap);
    EXPECT_TRUE(show.WaitUntilOtherPhoto(frozen)) << "Space again resumes the show";
}

TEST(Show, EscapeStoresThePositionAndARestartResumesThere) {
    Show show(6, 10);
    ASSERT_TRUE(show.StartedShowing()) << show.program->Output();
    Input& input = show.input;
    input.Press("Right", kTap);
    ASSERT_TRUE(show.WaitForPosition(1));
    input.Press("Right", kTap);
    ASSERT_TRUE(show.WaitForPosition(2));
    input.Press("Escape", kTap);
    auto code = show.program->Wait(30s);
    ASSERT_TRUE(code) << "Escape did not end the program";
    EXPECT_EQ(*code, 0) << show.program->Output();
    // The depth of a 3:4 photo on a 4:3 screen: 0.5625 - 0.9 + 0.5.
    EXPECT_EQ(show.StoredSettings(), "none\r\n\r\n0.1625\r\n10\r\n-1\r\n2\r\n0\r\n");

    show.Start();
    EXPECT_TRUE(show.WaitForPosition(2)) << "the restart did not resume at the stored photo";
}

TEST(Show, SecondStartHandsItsPhotosToTheRunningShow) {
    Show show(1, 1);
    TempDir more;
    WriteSolidBmp(more / "more.bmp", 320, 240, PhotoColour(7));
    ASSERT_TRUE(show.StartedShowing()) << show.program->Output();

    Process second({show.install.binary().string(), more.path().string()}, show.env, show.home.path());
    auto code = second.Wait(60s);
    ASSERT_TRUE(code) << second.Output();
    EXPECT_EQ(*code, 0);
    EXPECT_TRUE(show.WaitForPhoto(7)) << "the handed-over photo never came";
    EXPECT_TRUE(show.program->Running());
}

TEST(Show, RTurnsThePictureFileOnDisk) {
    Show show(2, 10);
    ASSERT_TRUE(show.StartedShowing()) << show.program->Output();
    fs::path shown = show.PhotoFile(show.PhotoAt(0));
    Input& input = show.input;
    input.Press("r", kTap);
    EXPECT_TRUE(WaitUntil([&] { return BmpSize(shown) == std::pair{320, 240}; }, 30s))
        << "the file was not turned: " << BmpSize(shown).first << " x " << BmpSize(shown).second << "\n"
        << show.program->Output();
    EXPECT_TRUE(show.WaitForPosition(0)) << "the turned photo is shown again";
    EXPECT_TRUE(show.program->Running());
}

TEST(Show, F1ShowsTheHelpOverTheFrozenShow) {
    Show show(3, 1);
    ASSERT_TRUE(show.StartedShowing()) << show.program->Output();
    Input& input = show.input;
    input.Press("F1", kTap);
    auto help = input.WaitForWindow("Help", 30s);
    ASSERT_TRUE(help) << "no help window";
    std::this_thread::sleep_for(2500ms);  // two photos' time at this speed
    show.Save(Screenshot::Grab(show.display), "show-help.png");
    EXPECT_TRUE(input.WaitForWindow("Help", 1s)) << "the help window went away by itself";
    input.Focus(*help);
    input.Press("Escape", kTap);
    EXPECT_TRUE(show.WaitUntilOtherPhoto(-1)) << "the show did not come back after the help";
    EXPECT_TRUE(show.program->Running()) << "the Escape that closed the help also ended the show";
}

TEST(Show, F2ChoicesAreStoredWhenTheShowEnds) {
    Show show(3, 10);
    ASSERT_TRUE(show.StartedShowing()) << show.program->Output();
    Input& input = show.input;
    input.Press("F2", kTap);
    auto dialog = input.WaitForWindow("Settings", 30s);
    ASSERT_TRUE(dialog) << "no settings dialog";
    // "Zoom and rotate pictures" sits at (112, 336) in the centred 606 x 465 panel.
    int panelLeft = (show.display.width() - 606) / 2, panelTop = (show.display.height() - 465) / 2;
    input.MoveMouse(panelLeft + 112 + 8, panelTop + 336 + 8);
    input.Click(1);
    std::this_thread::sleep_for(300ms);
    show.Save(Screenshot::Grab(show.display), "show-settings.png");
    input.Focus(*dialog);
    input.Press("Escape", kTap);
    ASSERT_TRUE(show.WaitUntilOtherPhoto(-1)) << "the show did not come back after the dialog";
    input.Press("Escape", kTap);
    ASSERT_TRUE(show.program->Wait(30s)) << "Escape did not end the program";
    auto lines = show.StoredSettings();
    EXPECT_EQ(lines, "none\r\n\r\n0.1625\r\n10\r\n0\r\n0\r\n0\r\n") << "drift off and stored";
}

TEST(Show, AFolderOfUnloadablePhotosEndsWithTheErrorReportAndAFailure) {
    Show show(0, 1);
    WriteFile(show.photos / "damaged.jpg", std::string("\xFF\xD8\xFF\xE0 not a picture after all", 28));
    WriteFile(show.photos / "empty.bmp", "");
    show.Start();
    auto report = show.input.WaitForWindow("Lumetta", 60s);
    ASSERT_TRUE(report) << "no error report; " << show.program->Output();
    show.Save(Screenshot::Grab(show.display), "show-no-loadable-photo.png");
    EXPECT_TRUE(show.program->Running()) << "the report waits for the user";
    show.input.Focus(*report);
    show.input.Press("Return");
    auto code = show.program->Wait(30s);
    ASSERT_TRUE(code) << "the show did not end after the report";
    EXPECT_EQ(*code, 1);
}
