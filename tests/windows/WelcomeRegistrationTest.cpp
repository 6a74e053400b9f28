// What a start without arguments records, against the fake registry and shell:
// the folder every time, the Picasa button request once where Picasa is.
#include <gtest/gtest.h>

#include "fakes/FakeRegistry.h"
#include "fakes/FakeShell.h"
#include "windows/PicasaButton.h"
#include "windows/WelcomeRegistration.h"

namespace {

using registry::RegistryResult;

class WelcomeRegistrationTest : public testing::Test {
protected:
    void InstallPicasa() { fakeRegistry.data.CreateKey(kPicasaKey); }
    void SetFlag(registry::Value value) {
        fakeRegistry.data.CreateKey(kLumettaKey);
        fakeRegistry.data.Set(kLumettaKey, kButtonInPicasaValue, value);
    }
    registry::RegistryRead<std::int32_t> Flag() { return fakeRegistry.ReadInteger(kLumettaKey, kButtonInPicasaValue); }
    std::string Directory() { return fakeRegistry.ReadString(kLumettaKey, kDirectoryValue).value; }

    fakes::FakeRegistry fakeRegistry;
    fakes::FakeShell fakeShell;
};

TEST_F(WelcomeRegistrationTest, WithoutPicasaNoRequestIsMadeAndNoFlagWritten) {
    auto outcome = RegisterProgram(fakeRegistry, fakeShell, "/opt/lumetta/");
    EXPECT_FALSE(outcome.buttonRequested);
    EXPECT_TRUE(fakeShell.requests.empty());
    EXPECT_EQ(Flag().result, RegistryResult::kNoValue);
    EXPECT_EQ(Directory(), "/opt/lumetta") << "the folder is stored without its trailing slash";
}

TEST_F(WelcomeRegistrationTest, WithPicasaTheButtonIsRequestedOnceAndDirectoryFollowsTheProgram) {
    InstallPicasa();
    auto first = RegisterProgram(fakeRegistry, fakeShell, "/opt/lumetta");
    EXPECT_TRUE(first.buttonRequested);
    EXPECT_FALSE(first.storeError);
    ASSERT_EQ(fakeShell.requests, std::vector<std::string>{"picasa://importbutton/?url=/opt/lumetta/Lumetta.pbz"});
    EXPECT_EQ(Flag().value, 1);

    auto second = RegisterProgram(fakeRegistry, fakeShell, "/home/me/moved");
    EXPECT_FALSE(second.buttonRequested);
    EXPECT_EQ(fakeShell.requests.size(), 1u);
    EXPECT_EQ(Directory(), "/home/me/moved");
}

TEST_F(WelcomeRegistrationTest, TheFlagIsTrueForAnyNonZeroIntegerOnly) {
    InstallPicasa();
    struct Case {
        registry::Value stored;
        bool requested;
    };
    for (const Case& c : {Case{0, true}, Case{1, false}, Case{-5, false}, Case{std::string("1"), true}}) {
        SetFlag(c.stored);
        fakeShell.requests.clear();
        EXPECT_EQ(RegisterProgram(fakeRegistry, fakeShell, "/opt/lumetta").buttonRequested, c.requested)
            << (std::holds_alternative<std::string>(c.stored) ? "a text value" : "integer ")
            << (std::holds_alternative<std::int32_t>(c.stored) ? std::to_string(std::get<std::int32_t>(c.stored)) : "");
        EXPECT_EQ(fakeShell.requests.size(), c.requested ? 1u : 0u);
        if (c.requested) {
            EXPECT_EQ(Flag().value, 1) << "the flag is rewritten as the integer 1";
        }
    }
}

TEST_F(WelcomeRegistrationTest, AFlagThatCannotBeStoredIsReportedAndTheRequestRepeatedNextTime) {
    InstallPicasa();
    fakeRegistry.readOnly = true;
    for (int start = 0; start < 2; ++start) {
        auto outcome = RegisterProgram(fakeRegistry, fakeShell, "/opt/lumetta");
        EXPECT_TRUE(outcome.buttonRequested);
        ASSERT_TRUE(outcome.storeError);
        EXPECT_NE(outcome.storeError->find("ButtonInPicasa"), std::string::npos) << *outcome.storeError;
    }
    EXPECT_EQ(fakeShell.requests.size(), 2u);
}

TEST_F(WelcomeRegistrationTest, AnUnreadableRegistryMakesNoRequest) {
    InstallPicasa();
    fakeRegistry.unreadable = true;
    auto outcome = RegisterProgram(fakeRegistry, fakeShell, "/opt/lumetta");
    EXPECT_FALSE(outcome.buttonRequested);
    EXPECT_FALSE(outcome.storeError);
    EXPECT_TRUE(fakeShell.requests.empty());
}

TEST(PicasaButton, RequestNamesTheButtonFileBesideTheExecutable) {
    EXPECT_EQ(PicasaButtonRequest("/opt/lumetta"), "picasa://importbutton/?url=/opt/lumetta/Lumetta.pbz");
    EXPECT_EQ(PicasaButtonRequest("/opt/lumetta/"), "picasa://importbutton/?url=/opt/lumetta/Lumetta.pbz");
}

}  // namespace
