#include "slideshow/SongFolders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Read(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class SongFoldersTest : public ::testing::Test {
protected:
    SongFoldersTest() {
        root = fs::temp_directory_path() /
               ("lumetta-songs-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(DisabledMusicFolder(root));
    }
    ~SongFoldersTest() override { fs::remove_all(root); }
    void Write(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

    fs::path root;
};

TEST_F(SongFoldersTest, ListsOnlySongsSortedWithoutRegardToCase) {
    fs::path music = MusicFolder(root);
    for (const char* name : {"beta.mp3", "Alpha.MP3", "alpha.mp3", "gamma.Mp3", "notes.txt", "mp3", "song.mp3.bak"})
        Write(music / name, "x");
    fs::create_directory(music / "folder.mp3");
    EXPECT_THAT(ListSongs(music), ElementsAre("Alpha.MP3", "alpha.mp3", "beta.mp3", "gamma.Mp3"));
    EXPECT_THAT(ListSongs(DisabledMusicFolder(root)), IsEmpty());
    EXPECT_THAT(ListSongs(root / "missing"), IsEmpty());
}

TEST_F(SongFoldersTest, MoveKeepsAFileOfTheSameNameAtTheTarget) {
    fs::path music = MusicFolder(root), disabled = DisabledMusicFolder(root);
    Write(music / "one.mp3", "moving");
    Write(music / "two.mp3", "left");
    Write(disabled / "two.mp3", "kept");

    MoveSongTo(music / "one.mp3", disabled);
    MoveSongTo(music / "two.mp3", disabled);
    MoveSongTo(music / "missing.mp3", disabled);

    EXPECT_THAT(ListSongs(music), ElementsAre("two.mp3"));
    EXPECT_THAT(ListSongs(disabled), ElementsAre("one.mp3", "two.mp3"));
    EXPECT_EQ(Read(disabled / "one.mp3"), "moving");
    EXPECT_EQ(Read(disabled / "two.mp3"), "kept");
    EXPECT_EQ(Read(music / "two.mp3"), "left");
}

TEST_F(SongFoldersTest, CopyReplacesAFileOfTheSameName) {
    fs::path music = MusicFolder(root);
    Write(root / "own.mp3", "new");
    Write(music / "own.mp3", "old");
    CopySongTo(root / "own.mp3", music);
    EXPECT_EQ(Read(music / "own.mp3"), "new");
    EXPECT_EQ(Read(root / "own.mp3"), "new");
    EXPECT_NO_THROW(CopySongTo(root / "missing.mp3", music));
}

}  // namespace
