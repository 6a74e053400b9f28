#include "platform/media/QtMediaPlayer.h"

#include "AudioServer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <fstream>
#include <memory>
#include <utility>
#include <vector>

// GLib, GStreamer and the sound client library keep allocations for the
// process's life (type registries, thread pools, formatted names).
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libglib-2.0\nleak:libgobject-2.0\nleak:libgstreamer-1.0\nleak:libpulse\nleak:__vasprintf_internal\n";
}
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

namespace {

using namespace std::chrono_literals;
using media::Mode;
using media::NotifyResult;

// One sound server and one application for the whole binary: Qt's audio
// devices are looked up once per process.
class SoundEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        server_ = std::make_unique<e2e::AudioServer>();
        server_->UseInThisProcess();
        static int argc = 1;
        static char name[] = "media_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override {
        app_.reset();
        server_.reset();
    }

private:
    std::unique_ptr<e2e::AudioServer> server_;
    std::unique_ptr<QCoreApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new SoundEnvironment);

// Serves events until `done` holds or `limit` has passed.
bool ServeEventsUntil(const std::function<bool()>& done, e2e::Millis limit) {
    return e2e::WaitUntil(
        [&] {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            return done();
        },
        limit, 5ms);
}

struct Delivery {
    NotifyResult result;
    Mode mode;
    bool operator==(const Delivery&) const = default;
};

void PrintTo(const Delivery& d, std::ostream* out) {
    *out << "{result " << static_cast<int>(d.result) << ", mode " << static_cast<int>(d.mode) << "}";
}

class QtMediaPlayerTest : public ::testing::Test {
protected:
    QtMediaPlayerTest() {
        player.SetEndHandler([this] { deliveries.push_back({player.LastNotifyResult(), player.GetMode()}); });
    }

    std::string Song(const std::string& name, e2e::Millis length) {
        e2e::fs::path file = folder / name;
        e2e::WriteToneMp3(file, length);
        return file.string();
    }
    bool ServeUntilDeliveries(size_t count) {
        return ServeEventsUntil([&] { return deliveries.size() >= count; }, 30s);
    }

    e2e::TempDir folder;
    media::QtMediaPlayer player;
    std::vector<Delivery> deliveries;
};

TEST_F(QtMediaPlayerTest, PlaysASongToItsEndAndReportsSuccessWhenEventsAreServed) {
    player.SetFileName(Song("short.mp3", 600ms));
    player.SetNotify(true);
    player.Open();
    EXPECT_TRUE(player.IsOpen());
    EXPECT_EQ(player.GetMode(), Mode::Stopped);
    player.Play();
    EXPECT_EQ(player.GetMode(), Mode::Playing);
    EXPECT_TRUE(deliveries.empty()) << "notifications wait for the event loop";

    ASSERT_TRUE(ServeUntilDeliveries(2));
    EXPECT_EQ(deliveries, (std::vector<Delivery>{{NotifyResult::Successful, Mode::Playing},
                                                 {NotifyResult::Successful, Mode::Stopped}}));

    // At the end, Play starts the song again and it ends once more.
    player.Play();
    EXPECT_EQ(player.GetMode(), Mode::Playing);
    ASSERT_TRUE(ServeUntilDeliveries(3));
    EXPECT_EQ(deliveries[2], (Delivery{NotifyResult::Successful, Mode::Stopped}));
}

TEST_F(QtMediaPlayerTest, StopKeepsThePlaceAndAbortsTheWaitingPlay) {
    player.SetFileName(Song("long.mp3", 3000ms));
    player.Open();
    player.Play();
    ASSERT_TRUE(ServeEventsUntil([&] { return player.PositionMillis() >= 300; }, 30s));
    player.Stop();
    EXPECT_EQ(player.GetMode(), Mode::Stopped);
    ASSERT_TRUE(ServeUntilDeliveries(1));
    EXPECT_EQ(deliveries[0], (Delivery{NotifyResult::Aborted, Mode::Stopped}));

    player.Play();
    EXPECT_GE(player.PositionMillis(), 300) << "Play goes on from where the song stopped";
    ASSERT_TRUE(ServeUntilDeliveries(2));
    EXPECT_EQ(deliveries[1], (Delivery{NotifyResult::Successful, Mode::Stopped}));
}

TEST_F(QtMediaPlayerTest, ASecondPlaySupersedesTheFirstAndCloseAborts) {
    player.SetFileName(Song("song.mp3", 2000ms));
    player.Open();
    player.Play();
    player.Play();
    player.Close();
    EXPECT_FALSE(player.IsOpen());
    EXPECT_EQ(player.GetMode(), Mode::NotReady);
    ASSERT_TRUE(ServeUntilDeliveries(2));
    EXPECT_EQ(deliveries, (std::vector<Delivery>{{NotifyResult::Superseded, Mode::NotReady},
                                                 {NotifyResult::Aborted, Mode::NotReady}}));
    // Without a song, the requests do nothing.
    EXPECT_NO_THROW(player.Play());
    EXPECT_NO_THROW(player.Stop());
    EXPECT_NO_THROW(player.Close());
    EXPECT_EQ(player.GetMode(), Mode::NotReady);
}

TEST_F(QtMediaPlayerTest, NotificationsArrivingWhileASongOpensWaitUntilTheOpenIsDone) {
    player.SetFileName(Song("first.mp3", 600ms));
    player.SetNotify(true);
    player.Open();  // its notification is queued
    player.SetFileName(Song("second.mp3", 600ms));
    player.Open();  // serves events while the song loads
    EXPECT_TRUE(deliveries.empty());
    ASSERT_TRUE(ServeUntilDeliveries(1));
    EXPECT_EQ(deliveries[0], (Delivery{NotifyResult::Successful, Mode::Stopped}));
}

TEST_F(QtMediaPlayerTest, SongsThatCannotBeOpenedFailWithAReadableText) {
    std::string garbage = (folder / "garbage.mp3").string();
    std::ofstream(garbage) << "this is not a song";
    for (const std::string& file : {(folder / "missing.mp3").string(), garbage}) {
        player.SetFileName(file);
        player.SetNotify(true);
        try {
            player.Open();
            ADD_FAILURE() << "opened " << file;
        } catch (const media::MediaError& error) {
            EXPECT_NE(std::string(error.what()).find(file), std::string::npos) << error.what();
            EXPECT_EQ(player.ErrorText(), error.what());
        }
        EXPECT_FALSE(player.IsOpen());
        EXPECT_EQ(player.GetMode(), Mode::NotReady);
    }
    player.SetFileName("");
    EXPECT_THROW(player.Open(), media::MediaError);

    // The failed opens queued nothing; a good song still opens afterwards.
    player.SetFileName(Song("good.mp3", 600ms));
    player.Open();
    QCoreApplication::processEvents();
    EXPECT_TRUE(deliveries.empty());
    EXPECT_TRUE(player.IsOpen());
}

}  // namespace
