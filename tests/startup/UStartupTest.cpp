#include "startup/UStartup.h"

#include <gtest/gtest.h>

#include "Harness.h"
#include "fakes/FakeInstance.h"

using Args = std::vector<std::string>;
namespace fs = std::filesystem;

TEST(UStartup, WithoutARunningInstanceTheStartGoesOn) {
    FakeInstanceLocator none(nullptr);
    EXPECT_TRUE(CanStart(none, {"/photos"}));
    EXPECT_TRUE(CanStart(none, {}));
}

TEST(UStartup, ArgumentsAreHandedOffThenTheInstanceIsBroughtToTheFront) {
    FakeInstanceLog log;
    FakeInstanceLocator found(&log);
    EXPECT_FALSE(CanStart(found, {"C:\\A", "D:\\B.jpg"}));
    ASSERT_EQ(log.sent.size(), 2u);
    EXPECT_EQ(log.sent[0].msg, instance::kMessageCopyData);
    EXPECT_EQ(log.sent[0].tag, 0xCF0E2BCAu);
    EXPECT_EQ(log.sent[0].byteCount, 15u);
    EXPECT_EQ(log.sent[0].bytes, std::string("C:\\A\0D:\\B.jpg\0\0", 15));
    EXPECT_EQ(log.sent[1].msg, instance::kMessageShowInstance);

    FakeInstanceLog single;
    FakeInstanceLocator one(&single);
    CanStart(one, {"x"});
    EXPECT_EQ(single.sent.at(0).byteCount, 3u);
}

TEST(UStartup, WithoutArgumentsOnlyTheShowMessageIsSent) {
    FakeInstanceLog log;
    FakeInstanceLocator found(&log);
    EXPECT_FALSE(CanStart(found, {}));
    ASSERT_EQ(log.sent.size(), 1u);
    EXPECT_EQ(log.sent[0].msg, instance::kMessageShowInstance);
}

TEST(UStartup, ARefusedOrUnansweredRecordLetsThisStartRunItsOwnShow) {
    for (std::optional<std::int32_t> answer : {std::optional<std::int32_t>(0), std::optional<std::int32_t>(2),
                                               std::optional<std::int32_t>()}) {
        FakeInstanceLog log;
        log.copyDataAnswer = answer;
        FakeInstanceLocator found(&log);
        EXPECT_TRUE(CanStart(found, {"/photos"}));
        ASSERT_EQ(log.sent.size(), 1u) << "no show message after a failed hand-off";
        EXPECT_EQ(log.sent[0].msg, instance::kMessageCopyData);
    }
}

TEST(UStartup, OwnSettingsFileFollowsAFolderAsFirstArgument) {
    e2e::TempDir photos;
    fs::create_directory(photos / "sub");
    fs::path program = "/opt/lumetta";
    std::string folder = photos.path().string();
    std::string beside = "/opt/lumetta/settings.txt";

    EXPECT_EQ(OwnSettingsFileName({folder}, program), folder + "/Lumetta/settings.txt");
    EXPECT_EQ(OwnSettingsFileName({folder + "/", "/other"}, program), folder + "/Lumetta/settings.txt");
    EXPECT_EQ(OwnSettingsFileName({folder + "/sub"}, program), folder + "/sub/Lumetta/settings.txt");
    e2e::WriteFile(photos / "a.jpg", "x");
    EXPECT_EQ(OwnSettingsFileName({folder + "/a.jpg"}, program), beside);
    EXPECT_EQ(OwnSettingsFileName({folder + "/missing", folder}, program), beside);
    EXPECT_EQ(OwnSettingsFileName({"", folder}, program), beside);
}
