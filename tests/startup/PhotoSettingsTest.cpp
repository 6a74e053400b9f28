#include "startup/PhotoSettings.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "Harness.h"

namespace fs = std::filesystem;

namespace {

using e2e::ReadFile;
using e2e::WriteFile;

// A program folder and a photo folder, with their settings files.
struct Folders {
    e2e::TempDir program, photos;
    fs::path shared() const { return program / "settings.txt"; }
    fs::path own() const { return photos / "Lumetta" / "settings.txt"; }
    TLumettaSettings Settings(const std::string& separator = ".") const {
        return TLumettaSettings(own().string(), {program.path(), separator});
    }
};

}  // namespace

TEST(PhotoSettings, WithoutFilesEverythingIsUnsetAndMusicReadsRandom) {
    Folders f;
    auto s = f.Settings();
    EXPECT_FALSE(s.GetAllowMoving());
    EXPECT_EQ(s.GetDelay(), -1);
    EXPECT_EQ(s.GetLastIndex(), -1);
    EXPECT_EQ(s.GetDepth(), -1.0);
    s.Save();
    EXPECT_EQ(ReadFile(f.own()), "\r\n\r\n-1\r\n-1\r\n0\r\n-1\r\n-1\r\n") << "nothing read, nothing set";

    EXPECT_EQ(s.GetMusic(), "random");
    s.Save();
    EXPECT_EQ(ReadFile(f.shared()), "random\r\n\r\n-1\r\n-1\r\n0\r\n") << "reading an empty value stores random";
}

TEST(PhotoSettings, OwnFileWinsAndSharedValuesSurvive) {
    Folders f;
    WriteFile(f.shared(), "shared.mp3\r\nshared text\r\n0.5\r\n4\r\n-1\r\n77\r\n88\r\n");
    WriteFile(f.own(), "own.mp3\nown text\n");
    auto s = f.Settings();
    EXPECT_EQ(s.GetMusic(), "own.mp3");
    EXPECT_EQ(s.GetDepth(), 0.5);
    EXPECT_EQ(s.GetDelay(), 4);
    EXPECT_EQ(s.GetLastIndex(), -1) << "lines 6 and 7 come only from the own file";
    s.Save();
    EXPECT_EQ(ReadFile(f.own()), "own.mp3\r\nown text\r\n0.5\r\n4\r\n-1\r\n-1\r\n-1\r\n");
}

TEST(PhotoSettings, LineFiveMissingOrUnreadableTurnsDriftOnOnlyInTheOwnFile) {
    struct Case {
        const char* line5;  // nullptr: the file has four lines
        bool fromShared, fromOwn;
    };
    for (Case c : {Case{nullptr, false, true}, Case{"tRUE", true, true}, Case{"1", true, true},
                   Case{"-1", true, true}, Case{"0", false, false}, Case{"FALSE", false, false},
                   Case{"maybe", false, true}}) {
        std::string text = "m\r\nr\r\n-1\r\n2\r\n";
        if (c.line5) text += std::string(c.line5) + "\r\n";
        std::string name = c.line5 ? c.line5 : "(missing)";

        Folders shared;
        WriteFile(shared.shared(), text);
        EXPECT_EQ(shared.Settings().GetAllowMoving(), c.fromShared) << "shared file, line 5 " << name;

        Folders own;
        WriteFile(own.own(), text);
        EXPECT_EQ(own.Settings().GetAllowMoving(), c.fromOwn) << "own file, line 5 " << name;
    }
}

TEST(PhotoSettings, UnconvertibleLinesKeepTheirFieldsAndBlankTextIsTaken) {
    Folders f;
    WriteFile(f.shared(), "\r\nx\r\n0.75\r\n3\r\n-1\r\n");
    WriteFile(f.own(), "\r\n\r\nfar\r\n3.5\r\nTrue\r\n12 \r\nseven\r\n");
    auto s = f.Settings();
    EXPECT_EQ(s.GetDepth(), 0.75);
    EXPECT_EQ(s.GetDelay(), 3);
    EXPECT_EQ(s.GetLastIndex(), -1);
    s.Save();
    EXPECT_EQ(ReadFile(f.own()), "\r\n\r\n0.75\r\n3\r\n-1\r\n-1\r\n-1\r\n") << "empty text lines are values too";
}

TEST(PhotoSettings, SavedValuesReadBackInTheSameLocaleOnly) {
    Folders f;
    {
        auto s = f.Settings(",");
        s.SetMusic("/music/song.mp3");
        s.SetDepth(1.25);
        s.SetDelay(10);
        s.SetAllowMoving(true);
        s.SetLastIndex(314);
        s.Save();
    }
    EXPECT_EQ(ReadFile(f.shared()), "/music/song.mp3\r\n\r\n1,25\r\n10\r\n-1\r\n");
    EXPECT_EQ(ReadFile(f.own()), "/music/song.mp3\r\n\r\n1,25\r\n10\r\n-1\r\n314\r\n-1\r\n");

    auto same = f.Settings(",");
    EXPECT_EQ(same.GetDepth(), 1.25);
    EXPECT_EQ(same.GetLastIndex(), 314);
    EXPECT_TRUE(same.GetAllowMoving());
    EXPECT_EQ(f.Settings(".").GetDepth(), -1.0) << "a comma does not convert under a point locale";
}

TEST(PhotoSettings, SaveCreatesOneFolderLevelOnly) {
    Folders f;
    fs::path deep = f.photos / "a" / "b" / "settings.txt";
    TLumettaSettings s(deep.string(), {f.program.path(), "."});
    s.Save();
    EXPECT_FALSE(fs::exists(f.photos / "a"));
    EXPECT_TRUE(fs::exists(f.shared())) << "the shared file is written all the same";

    f.Settings().Save();
    EXPECT_TRUE(fs::exists(f.own()));
}

TEST(PhotoSettings, FailedWritesLeaveThePreviousFilesAndNoLeftovers) {
    Folders f;
    const std::string before = "keep\r\n\r\n-1\r\n-1\r\n0\r\n3\r\n-1\r\n";
    WriteFile(f.own(), before);
    WriteFile(f.shared(), "k\r\n");
    auto s = f.Settings();
    s.SetMusic(std::string(200, 'm'));

    // A disk that takes no more than 16 bytes per file.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = old;
    tiny.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &tiny);
    s.Save();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(ReadFile(f.own()), before);
    EXPECT_EQ(ReadFile(f.shared()), "k\r\n");
    for (const fs::path& folder : {f.program.path(), f.own().parent_path()})
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_EQ(entry.path().filename(), "settings.txt") << "left behind: " << entry.path();

    fs::remove(f.shared());
    fs::create_directory(f.shared());  // a folder where the file should be
    s.Save();
    EXPECT_TRUE(fs::is_directory(f.shared()));
    EXPECT_EQ(f.Settings().GetMusic(), std::string(200, 'm'));
}
