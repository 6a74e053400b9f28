#include "slideshow/Music.h"

#include "fakes/FakeMediaPlayer.h"
#include "fakes/FakeMusic.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A show's music with a fake player attached, as the show loop sets it up.
class MusicTest : public ::testing::Test {
protected:
    MusicTest() {
        list.names = {"a.mp3", "b.mp3", "c.mp3"};
        music.AttachPlayer(player);
    }
    ~MusicTest() override {
        std::error_code ignored;
        if (!song.empty()) std::filesystem::remove(song, ignored);
    }

    // The show's first photo starts the music, and the song plays `ticks` on;
    // the calls so far are forgotten.
    void StartAndPlay(int ticks) {
        music.StartMusic();
        player.DeliverNotifications();
        player.Advance(ticks);
        player.TakeCalls();
    }

    // A real file for the selected-song mode, which tests that the file exists.
    std::string SelectedSongFile() {
        song = std::filesystem::temp_directory_path() / ("lumetta-music-test-" + std::to_string(::getpid()) + ".mp3");
        std::ofstream(song) << "song";
        return song;
    }

    std::string setting = "random";
    FakeMusicList list;
    ScriptedRandom random;
    RecordingErrorReport report;
    FakeMediaPlayer player;
    TMusic music{list, random, report, [this] { return setting; }};
    std::string song;
};

TEST_F(MusicTest, OffStartsNothingAndF3OnlyFlipsTheFlag) {
    setting = "none";
    music.StartMusic();
    EXPECT_FALSE(music.MusicOn());
    music.ToggleMusic();
    EXPECT_TRUE(music.MusicOn());
    music.ToggleMusic();
    EXPECT_FALSE(music.MusicOn());
    EXPECT_THAT(player.calls, IsEmpty());
    EXPECT_THAT(random.counts, IsEmpty());
}

TEST_F(MusicTest, RandomStartDrawsFromTheListAndPlaysAtOnce) {
    random.next = {1};
    music.StartMusic();
    EXPECT_TRUE(music.MusicOn());
    EXPECT_THAT(random.counts, ElementsAre(3));
    EXPECT_EQ(list.selected, 1);
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Open /songs/b.mp3", "Play"));
    // The open's notification finds the song playing and changes nothing.
    player.DeliverNotifications();
    EXPECT_THAT(player.calls, IsEmpty());
    EXPECT_EQ(player.GetMode(), media::Mode::Playing);
}

TEST_F(MusicTest, SelectedSongIsOpenedAndItsOpenNotificationStartsIt) {
    setting = SelectedSongFile();
    music.StartMusic();
    EXPECT_TRUE(music.MusicOn());
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Open " + setting));
    EXPECT_EQ(player.GetMode(), media::Mode::Stopped);
    EXPECT_EQ(player.DeliverNotifications(), 1);
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Play"));
    EXPECT_EQ(player.GetMode(), media::Mode::Playing);
    EXPECT_THAT(random.counts, IsEmpty());
}

TEST_F(MusicTest, SelectedSongThatIsGoneLeavesTheShowSilent) {
    setting = "/no/such/folder/song.mp3";
    music.StartMusic();
    EXPECT_FALSE(music.MusicOn());
    EXPECT_THAT(player.calls, IsEmpty());
    music.ToggleMusic();  // nothing open: the Play does nothing
    EXPECT_TRUE(music.MusicOn());
    EXPECT_THAT(player.calls, IsEmpty());
}

TEST_F(MusicTest, SelectedSongPlaysAgainFromItsBeginningAtEveryEnd) {
    setting = SelectedSongFile();
    StartAndPlay(0);
    for (int round = 0; round < 3; ++round) {
        player.FinishSong();
        EXPECT_EQ(player.GetMode(), media::Mode::Stopped);
        EXPECT_EQ(player.DeliverNotifications(), 1);
        EXPECT_THAT(player.TakeCalls(), ElementsAre("Play")) << "round " << round;
        EXPECT_EQ(player.position, 0);
        EXPECT_EQ(player.GetMode(), media::Mode::Playing);
    }
}

TEST_F(MusicTest, RandomModeDrawsEachNextSongFromTheListAsItIsThen) {
    random.next = {0, 0, 1};
    StartAndPlay(0);

    player.FinishSong();
    player.DeliverNotifications();
    // The same song may come again.
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Stop", "Close", "Open /songs/a.mp3", "Play"));

    list.names = {"x.mp3", "y.mp3"};  // the dialog changed the folder meanwhile
    player.FinishSong();
    player.DeliverNotifications();
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Stop", "Close", "Open /songs/y.mp3", "Play"));
    EXPECT_THAT(random.counts, ElementsAre(3, 3, 2));
    EXPECT_EQ(list.selected, 1);
}

TEST_F(MusicTest, F3TwiceWithASelectedSongResumesWhereItStopped) {
    setting = SelectedSongFile();
    StartAndPlay(40);

    music.ToggleMusic();
    EXPECT_FALSE(music.MusicOn());
    player.DeliverNotifications();  // the aborted play is ignored
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Stop"));
    EXPECT_EQ(player.GetMode(), media::Mode::Stopped);

    music.ToggleMusic();
    EXPECT_TRUE(music.MusicOn());
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Play"));
    EXPECT_EQ(player.position, 40);
    player.FinishSong();  // and it still repeats at its end
    player.DeliverNotifications();
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Play"));
}

TEST_F(MusicTest, F3TwiceInRandomModeStartsANewSongFromItsBeginning) {
    random.next = {0, 2};
    StartAndPlay(40);

    music.ToggleMusic();
    EXPECT_FALSE(music.MusicOn());
    music.ToggleMusic();
    EXPECT_TRUE(music.MusicOn());
    // F3's Stop, then the draw's Stop and Close; the Play after the draw
    // finds the song playing already.
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Stop", "Stop", "Close", "Open /songs/c.mp3", "Play", "Play"));
    EXPECT_EQ(player.position, 0);
    // Aborted and superseded notifications start nothing.
    player.DeliverNotifications();
    EXPECT_THAT(player.calls, IsEmpty());
    EXPECT_EQ(player.GetMode(), media::Mode::Playing);
}

TEST_F(MusicTest, EmptyListStaysSilentWithoutErrors) {
    list.names.clear();
    EXPECT_NO_THROW(music.StartMusic());
    EXPECT_NO_THROW(music.ToggleMusic());
    EXPECT_NO_THROW(music.ToggleMusic());
    player.DeliverNotifications();
    EXPECT_THAT(player.calls, IsEmpty());
    EXPECT_THAT(random.counts, IsEmpty());
    EXPECT_THAT(report.messages, IsEmpty());
    EXPECT_TRUE(music.MusicOn());
}

TEST_F(MusicTest, SongThatCannotBeOpenedAtTheStartRaisesWithThePlayersText) {
    setting = SelectedSongFile();
    player.unplayable.insert(setting);
    try {
        music.StartMusic();
        FAIL() << "no error raised";
    } catch (const media::MediaError& error) {
        EXPECT_EQ(std::string(error.what()), player.ErrorText());
    }
    EXPECT_FALSE(music.MusicOn());
}

TEST_F(MusicTest, ErrorsOfANotificationReachTheReportAndTheShowGoesOn) {
    random.next = {0, 1};
    player.unplayable.insert("/songs/b.mp3");
    music.StartMusic();
    player.FinishSong();
    EXPECT_NO_THROW(player.DeliverNotifications());
    ASSERT_EQ(report.messages.size(), 1u);
    EXPECT_NE(report.messages[0].find("/songs/b.mp3"), std::string::npos);
    EXPECT_EQ(player.GetMode(), media::Mode::NotReady);
}

TEST_F(MusicTest, PlayingThatBreaksOffIsReportedAndNotFollowedBySongs) {
    random.next = {0};
    StartAndPlay(10);
    player.BreakOff("the audio output went away");
    player.DeliverNotifications();
    EXPECT_THAT(report.messages, ElementsAre("the audio output went away"));
    EXPECT_THAT(player.calls, IsEmpty());
}

TEST(MusicWithoutPlayer, DoesNothingOutsideAShow) {
    FakeMusicList list;
    list.names = {"a.mp3"};
    ScriptedRandom random;
    RecordingErrorReport report;
    TMusic music(list, random, report, [] { return std::string("random"); });
    EXPECT_NO_THROW(music.StartMusic());
    EXPECT_NO_THROW(music.PlayRandomSong());
    EXPECT_NO_THROW(music.MusicFinished());
    EXPECT_THAT(random.counts, IsEmpty());

    FakeMediaPlayer player;
    music.AttachPlayer(player);
    EXPECT_TRUE(player.NotifyRequested());
    music.DetachPlayer();
    random.next = {0};
    music.StartMusic();
    EXPECT_THAT(player.calls, IsEmpty());
}

}  // namespace
