// Two real processes: a running show (the receiver, which prints its photo
// list after each message) and the real program started a second time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Harness.h"

using namespace e2e;

namespace {

struct Message {
    std::string name;
    int result = 0;
    std::vector<std::string> photos;
};

// The messages the receiver printed, in order.
std::vector<Message> Messages(const std::string& output) {
    std::vector<Message> messages;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("message ", 0) == 0) {
            std::istringstream words(line.substr(8));
            Message m;
            words >> m.name >> m.result;
            messages.push_back(m);
        } else if (line.rfind("photo ", 0) == 0 && !messages.empty()) {
            messages.back().photos.push_back(line.substr(6));
        }
    }
    return messages;
}

struct TwoInstances {
    Display display;
    TempDir home;
    Installation install;
    std::map<std::string, std::string> env = ProgramEnvironment(display, home);
    TempDir shown;  // the running show's own folder
    std::unique_ptr<Process> receiver;

    TwoInstances() {
        WriteSolidBmp(shown / "first.bmp", 4, 4, {10, 20, 30});
        WriteSolidBmp(shown / "second.bmp", 4, 4, {10, 20, 30});
    }
    void StartReceiver(std::map<std::string, std::string> extra = {}) {
        auto receiverEnv = env;
        receiverEnv["QT_QPA_PLATFORM"] = "offscreen";
        for (const auto& [k, v] : extra) receiverEnv[k] = v;
        receiver = std::make_unique<Process>(
            std::vector<std::string>{HandOffReceiverBinary(), (home / "receiver-settings.txt").string(),
                                     shown.path().string()},
            receiverEnv, home.path());
        ASSERT_TRUE(receiver->WaitForOutput("listening\n", 60s)) << receiver->Output();
    }
    int SecondStart(const std::vector<std::string>& args) {
        std::vector<std::string> argv = {install.binary().string()};
        argv.insert(argv.end(), args.begin(), args.end());
        Process second(argv, env, home.path());
        auto code = second.Wait(60s);
        EXPECT_TRUE(code) << "the second start did not end: " << second.Output();
        return code.value_or(-1000);
    }
};

// The full paths of a folder's entries in directory order.
std::vector<std::string> PathsInOrder(const fs::path& folder) {
    std::vector<std::string> paths;
    for (const auto& name : DirectoryOrder(folder))
        if (name != "Lumetta") paths.push_back((folder / name).string());
    return paths;
}

}  // namespace

TEST(HandOff, ArgumentsAreAppendedToTheRunningListWithoutTouchingSettings) {
    TwoInstances run;
    run.StartReceiver();
    TempDir more, single;
    WriteSolidBmp(more / "c.BMP", 4, 4, {1, 1, 1});
    WriteSolidBmp(more / "d.bmp", 4, 4, {1, 1, 1});
    WriteSolidBmp(single / "e.bmp", 4, 4, {1, 1, 1});
    // Settings files where a show of `more` would read and write them.
    WriteFile(run.install.folder() / "settings.txt", "none\n\n-1\n2\n0\n");
    WriteFile(more / "Lumetta" / "settings.txt", "none\n\n-1\n2\n0\n5\n-1\n");
    FolderWatch watch;
    for (const fs::path& folder : {run.install.folder(), more.path(), more / "Lumetta", single.path()})
        watch.Watch(folder);

    auto moreOrder = PathsInOrder(more.path());
    EXPECT_EQ(run.SecondStart({more.path().string(), (single / "e.bmp").string()}), 0);

    ASSERT_TRUE(run.receiver->WaitForOutput("message showinstance", 30s)) << run.receiver->Output();
    auto messages = Messages(run.receiver->Output());
    ASSERT_EQ(messages.size(), 2u) << run.receiver->Output();
    EXPECT_EQ(messages[0].name, "copydata");
    EXPECT_EQ(messages[0].result, 1);
    EXPECT_EQ(messages[1].name, "showinstance");
    EXPECT_EQ(messages[1].result, 1) << "the running show did not come into view";

    std::vector<std::string> expected = PathsInOrder(run.shown.path());
    expected.insert(expected.end(), moreOrder.begin(), moreOrder.end());
    expected.push_back((single / "e.bmp").string());
    EXPECT_EQ(messages[1].photos, expected);

    for (const auto& touched : watch.Touched())
        EXPECT_EQ(touched.find("settings.txt"), std::string::npos) << "the second start touched " << touched;
}

TEST(HandOff, SecondStartWithoutArgumentsOnlyBringsTheShowToTheFront) {
    TwoInstances run;
    run.StartReceiver();

    EXPECT_EQ(run.SecondStart({}), 0);  // no welcome window: it would not end

    ASSERT_TRUE(run.receiver->WaitForOutput("message showinstance", 30s)) << run.receiver->Output();
    auto messages = Messages(run.receiver->Output());
    ASSERT_EQ(messages.size(), 1u) << run.receiver->Output();
    EXPECT_EQ(messages[0].name, "showinstance");
    EXPECT_EQ(messages[0].photos, PathsInOrder(run.shown.path()));
    EXPECT_FALSE(fs::exists(run.install.folder() / "settings.txt"));
}

TEST(HandOff, RejectedRecordMakesTheSecondStartRunItsOwnShow) {
    TwoInstances run;
    run.StartReceiver({{"LUMETTA_RECEIVER_REFUSE", "1"}});
    TempDir empty;

    EXPECT_EQ(run.SecondStart({empty.path().string()}), 0);

    EXPECT_TRUE(fs::exists(empty / "Lumetta" / "settings.txt")) << "the second start did not run its own show";
    auto messages = Messages(run.receiver->Output());
    ASSERT_EQ(messages.size(), 1u) << run.receiver->Output();
    EXPECT_EQ(messages[0].name, "copydata");
    EXPECT_EQ(messages[0].result, 0);
}

TEST(HandOff, ShowStartedOverAStaleSocketServesTheNextStart) {
    TwoInstances run;
    fs::path socket = RuntimeFolder(run.home) / "Brindle.Lumetta";
    MakeStaleSocket(socket);
    Process first({run.install.binary().string(), run.shown.path().string()}, run.env, run.home.path());
    ASSERT_TRUE(WaitUntil([&] { return SocketListens(socket); }, 60s)) << first.Output();

    TempDir more;
    WriteSolidBmp(more / "x.bmp", 4, 4, {1, 1, 1});
    EXPECT_EQ(run.SecondStart({more.path().string()}), 0);
    EXPECT_FALSE(fs::exists(more / "Lumetta")) << "the second start ran a show of its own";
    EXPECT_TRUE(first.Running());
}
