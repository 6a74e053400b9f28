// The roads of a start, seen from outside: the show road with its settings
// files, the welcome road, and starts next to a stale or welcome-only instance.
#include <gtest/gtest.h>

#include <fstream>

#include "Harness.h"

using namespace e2e;

namespace {

const std::string kUnsetOwnFile = "\r\n\r\n-1\r\n-1\r\n0\r\n-1\r\n-1\r\n";
const std::string kUnsetSharedFile = "\r\n\r\n-1\r\n-1\r\n0\r\n";

struct Start {
    Display display;
    TempDir home;
    Installation install;
    std::map<std::string, std::string> env = ProgramEnvironment(display, home);

    std::unique_ptr<Process> Run(const std::vector<std::string>& args) {
        std::vector<std::string> argv = {install.binary().string()};
        argv.insert(argv.end(), args.begin(), args.end());
        return std::make_unique<Process>(argv, env, home.path());
    }
    // Runs to its end; the exit code, or -1000 when it did not end in time.
    int RunToEnd(const std::vector<std::string>& args) {
        auto p = Run(args);
        auto code = p->Wait(60s);
        EXPECT_TRUE(code) << "the program did not end: " << p->Output();
        return code.value_or(-1000);
    }
};

}  // namespace

TEST(StartupRoads, FolderWithoutPicturesEndsAtOnceAndWritesBothSettingsFiles) {
    Start start;
    TempDir photos;
    WriteFile(photos / "notes.txt", "not a picture");
    fs::create_directories(photos / "sub");
    WriteSolidBmp(photos / "sub" / "deeper.bmp", 4, 4, {1, 2, 3});

    EXPECT_EQ(start.RunToEnd({photos.path().string()}), 0);
    EXPECT_EQ(ReadFile(photos / "Lumetta" / "settings.txt"), kUnsetOwnFile);
    EXPECT_EQ(ReadFile(start.install.folder() / "settings.txt"), kUnsetSharedFile);
}

TEST(StartupRoads, ValuesOfAnExistingOwnFileComeBackUnchanged) {
    Start start;
    start.env["LC_ALL"] = "de_DE.UTF-8";  // decimal comma
    TempDir photos;
    WriteFile(photos / "Lumetta" / "settings.txt", "none\nkeep me\n0,25\n7\nTRUE\n12\n42\n");

    EXPECT_EQ(start.RunToEnd({photos.path().string() + "/"}), 0);
    EXPECT_EQ(ReadFile(photos / "Lumetta" / "settings.txt"), "none\r\nkeep me\r\n0,25\r\n7\r\n-1\r\n12\r\n42\r\n");
    EXPECT_EQ(ReadFile(start.install.folder() / "settings.txt"), "none\r\nkeep me\r\n0,25\r\n7\r\n-1\r\n");
}

TEST(StartupRoads, PictureFileAsFirstArgumentUsesTheFileBesideTheProgram) {
    Start start;
    TempDir photos;
    WriteFile(photos / "a.png", "not listed");
    WriteFile(start.install.folder() / "settings.txt", "random\n\n-1\n3\n0\n");

    EXPECT_EQ(start.RunToEnd({(photos / "a.png").string()}), 0);
    EXPECT_EQ(ReadFile(start.install.folder() / "settings.txt"), "random\r\n\r\n-1\r\n3\r\n0\r\n-1\r\n-1\r\n");
    EXPECT_FALSE(fs::exists(photos / "Lumetta"));
}

TEST(StartupRoads, WelcomeRoadShowsTheWelcomeWindowAndTouchesNoSettings) {
    Start start;
    auto p = start.Run({});
    Input input(start.display);
    auto window = input.WaitForWindow("Lumetta", 60s);
    ASSERT_TRUE(window) << p->Output();
    input.Focus(*window);
    input.Press("Escape");
    auto code = p->Wait(30s);
    ASSERT_TRUE(code) << "Escape did not close the welcome window";
    EXPECT_EQ(*code, 0) << p->Output();
    EXPECT_FALSE(fs::exists(start.install.folder() / "settings.txt"));
}

TEST(StartupRoads, StaleSocketDoesNotStopAStart) {
    Start start;
    MakeStaleSocket(RuntimeFolder(start.home) / "Brindle.Lumetta");
    TempDir photos;

    EXPECT_EQ(start.RunToEnd({photos.path().string()}), 0);
    EXPECT_EQ(ReadFile(photos / "Lumetta" / "settings.txt"), kUnsetOwnFile);
}

TEST(StartupRoads, StartWhileOnlyTheWelcomeWindowIsOpenRunsItsOwnShow) {
    Start start;
    auto welcome = start.Run({});
    ASSERT_TRUE(Input(start.display).WaitForWindow("Lumetta", 60s)) << welcome->Output();
    TempDir photos;

    EXPECT_EQ(start.RunToEnd({photos.path().string()}), 0);
    EXPECT_EQ(ReadFile(photos / "Lumetta" / "settings.txt"), kUnsetOwnFile);
    EXPECT_TRUE(welcome->Running());
}
