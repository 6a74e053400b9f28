// Both ends of the channel over a real socket in a private folder. The sender
// blocks, so it runs on a thread while the test's main thread serves.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "Harness.h"
#include "fakes/RecordingInstanceWindow.h"
#include "platform/instance/InstanceFrame.h"
#include "platform/instance/LocalSocketLocator.h"
#include "platform/instance/LocalSocketRegistration.h"
#include "platform/instance/UnixSocket.h"

using namespace instance;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

// Runs `client` on a thread and processes events until it is done.
template <typename Client>
auto WhileServing(Client client) {
    std::atomic<bool> done{false};
    decltype(client()) result{};
    std::thread thread([&] {
        result = client();
        done = true;
    });
    QDeadlineTimer deadline(30'000);
    while (!done && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    thread.join();
    return result;
}

struct Channel {
    e2e::TempDir folder;
    std::string path = (folder / "Brindle.Lumetta").string();
    RecordingInstanceWindow window;
    LocalSocketRegistration registration{path};
    LocalSocketLocator locator{path, 10s};
};

std::optional<std::int32_t> SendCopyData(IRunningInstance& to, std::uint32_t tag, const std::string& bytes) {
    TCopyDataStruct record{tag, static_cast<std::uint32_t>(bytes.size()), bytes.data()};
    return to.SendCopyData(record);
}

// Sends raw bytes on a fresh connection; the answer, or nullopt when the
// receiver answered nothing and closed or did not answer within the limit.
std::optional<std::int32_t> SendRaw(const std::string& path, const std::string& bytes) {
    unixsocket::TDescriptor socket;
    if (unixsocket::Connect(path, socket) != unixsocket::TConnectResult::Connected) return std::nullopt;
    std::string answer(frame::kAnswerBytes, '\0');
    if (!unixsocket::Exchange(socket.get(), bytes, answer, 5s)) return std::nullopt;
    return frame::DecodeAnswer(answer);
}

std::string Header(std::uint32_t msg, std::uint32_t payloadBytes) {
    std::string head = frame::EncodeShowInstance();
    for (int i = 0; i < 4; ++i) {
        head[i] = static_cast<char>(msg >> (8 * i));
        head[4 + i] = static_cast<char>(payloadBytes >> (8 * i));
    }
    return head;
}

}  // namespace

TEST(InstanceChannel, MessagesArriveWithTheirRecordAndAreAnsweredWithTheResult) {
    Channel c;
    ASSERT_TRUE(c.registration.Register(c.window));
    const std::string packed("a\0b c\0\0", 7);
    auto answers = WhileServing([&] {
        std::vector<std::optional<std::int32_t>> got;
        auto running = c.locator.FindRunningInstance();
        if (!running) return got;
        got.push_back(SendCopyData(*running, 0xCF0E2BCA, packed));
        got.push_back(SendCopyData(*running, 0xBAD, ""));
        got.push_back(running->SendShowInstance());
        return got;
    });
    ASSERT_EQ(answers.size(), 3u) << "no running instance found";
    EXPECT_EQ(answers[0], 1);
    EXPECT_EQ(answers[1], 1) << "the window, not the channel, judges the tag";
    EXPECT_EQ(answers[2], 0);
    ASSERT_EQ(c.window.received.size(), 3u);
    EXPECT_EQ(c.window.received[0].tag, 0xCF0E2BCAu);
    EXPECT_EQ(c.window.received[0].bytes, packed);
    EXPECT_EQ(c.window.received[1].tag, 0xBADu);
    EXPECT_EQ(c.window.received[2].msg, kMessageShowInstance);
}

TEST(InstanceChannel, MalformedFramesAreRefusedAndTheReceiverKeepsServing) {
    Channel c;
    ASSERT_TRUE(c.registration.Register(c.window));
    std::string tooLong = Header(kMessageCopyData, frame::kMaxPayloadBytes + 1);
    std::string countMismatch = Header(kMessageCopyData, 8 + 3) + std::string("\xCA\x2B\x0E\xCF\x05\0\0\0abc", 11);
    std::string tooShortForARecord = Header(kMessageCopyData, 4) + "abcd";
    std::string unknown = Header(0x0010, 2) + "xy";
    std::string truncated = Header(kMessageCopyData, 100) + "only a few bytes";

    auto answers = WhileServing([&] {
        std::vector<std::optional<std::int32_t>> got;
        for (const auto& bytes : {tooLong, countMismatch, tooShortForARecord, unknown}) got.push_back(SendRaw(c.path, bytes));
        {
            unixsocket::TDescriptor socket;  // sends half a frame, then goes away
            unixsocket::Connect(c.path, socket);
            std::string none;
            unixsocket::Exchange(socket.get(), truncated, none, 1s);
        }
        got.push_back(SendRaw(c.path, frame::EncodeShowInstance()));
        return got;
    });
    ASSERT_EQ(answers.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(answers[i], 0) << "frame " << i;
    EXPECT_EQ(answers[4], 0) << "still serving after a sender went away mid-frame";
    ASSERT_EQ(c.window.received.size(), 1u) << "only the well-formed frame reaches the window";
    EXPECT_EQ(c.window.received[0].msg, kMessageShowInstance);
}

TEST(InstanceChannel, StaleSocketIsReplacedAndALiveOneIsLeftAlone) {
    Channel c;
    EXPECT_FALSE(c.locator.FindRunningInstance()) << "nothing runs yet";
    e2e::MakeStaleSocket(c.path);
    EXPECT_FALSE(c.locator.FindRunningInstance()) << "a stale socket is no running instance";

    ASSERT_TRUE(c.registration.Register(c.window));
    struct stat st;
    ASSERT_EQ(stat(c.path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    RecordingInstanceWindow other;
    LocalSocketRegistration second(c.path);
    EXPECT_FALSE(second.Register(other));
    auto answer = WhileServing([&] {
        auto running = c.locator.FindRunningInstance();
        return running ? running->SendShowInstance() : std::nullopt;
    });
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(c.window.received.size(), 1u) << "the first registration still holds the name";
    EXPECT_TRUE(other.received.empty());
}

TEST(InstanceChannel, SenderStopsWaitingForAnInstanceThatNeverAnswers) {
    e2e::TempDir folder;
    std::string path = (folder / "Brindle.Lumetta").string();
    RecordingInstanceWindow window;
    LocalSocketRegistration wedged(path);
    ASSERT_TRUE(wedged.Register(window));
    // No events are processed here, so the registration never answers.
    LocalSocketLocator impatient(path, 300ms);
    auto running = impatient.FindRunningInstance();
    ASSERT_TRUE(running);
    EXPECT_FALSE(running->SendShowInstance());
}

TEST(InstanceChannel, SocketLivesInThePrivateRuntimeFolder) {
    e2e::TempDir runtime;
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    std::string previous = saved ? saved : "";

    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    EXPECT_EQ(unixsocket::SocketPath(), (runtime / "Brindle.Lumetta").string());

    std::string fallback = "/tmp/lumetta-" + std::to_string(getuid());
    for (const char* unusable : {"", "relative/folder", "/does/not/exist"}) {
        setenv("XDG_RUNTIME_DIR", unusable, 1);
        EXPECT_EQ(unixsocket::SocketPath(), fallback + "/Brindle.Lumetta") << unusable;
    }
    struct stat st;
    ASSERT_EQ(lstat(fallback.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    if (saved) setenv("XDG_RUNTIME_DIR", previous.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
}

TEST(InstanceChannel, OtherUsersAreNotServed) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    // A socket that anyone could open: only the peer check keeps others out.
    e2e::TempDir folder;
    fs::permissions(folder.path(), fs::perms::all);
    std::string path = (folder / "Brindle.Lumetta").string();
    RecordingInstanceWindow window;
    LocalSocketRegistration registration(path);
    ASSERT_TRUE(registration.Register(window));
    chmod(path.c_str(), 0666);

    pid_t child = fork();
    if (child == 0) {
        if (setuid(65534) != 0) _exit(2);
        _exit(SendRaw(path, frame::EncodeShowInstance()) ? 1 : 0);
    }
    int status = -1;
    QDeadlineTimer deadline(30'000);
    while (waitpid(child, &status, WNOHANG) == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "another user was answered";
    EXPECT_TRUE(window.received.empty());
}
