// The layout look-up, the Alt key and the pointer position on a private X
// display, on its default US layout and on a French one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>

#include "Harness.h"
#include "VirtualKeyMap.h"
#include "XInputTestSupport.h"
#include "XSystemKeys.h"

namespace {

using namespace std::chrono_literals;

bool SwitchLayout(const e2e::Display& display, const std::string& layout) {
    if (access("/usr/bin/setxkbmap", X_OK) != 0) return false;
    e2e::Process p({"/usr/bin/setxkbmap", "-display", display.name(), layout}, {}, e2e::fs::temp_directory_path());
    return p.Wait(10s) == 0;
}

}  // namespace

TEST(XSystemKeys, LettersOfTheUsLayout) {
    e2e::Display display(320, 240);
    auto keys = XSystemKeys::Open(display.name());
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->VirtualKeyTyping(U'r'), 0x52);
    EXPECT_EQ(keys->VirtualKeyTyping(U'l'), 0x4C);
    EXPECT_EQ(keys->VirtualKeyTyping(U'1'), 0x31);
    EXPECT_EQ(keys->VirtualKeyTyping(U' '), 0x20);
    EXPECT_EQ(keys->VirtualKeyTyping(U'R'), std::nullopt) << "needs Shift";
    EXPECT_EQ(keys->VirtualKeyTyping(U'!'), std::nullopt) << "needs Shift";
    EXPECT_EQ(keys->VirtualKeyTyping(U'é'), std::nullopt) << "not on the layout";
    EXPECT_EQ(keys->VirtualKeyTyping(U'-'), std::nullopt) << "a key the engine's map does not reach";
    EXPECT_EQ(keys->VirtualKeyTyping(U'\0'), std::nullopt);
}

TEST(XSystemKeys, FrenchLayoutGivesThePhysicalKey) {
    e2e::Display display(320, 240);
    if (!SwitchLayout(display, "fr")) GTEST_SKIP() << "setxkbmap is not available";
    auto keys = XSystemKeys::Open(display.name());
    ASSERT_TRUE(keys);
    // AZERTY: 'a' sits where a US keyboard has Q, 'q' where it has A.
    EXPECT_EQ(keys->VirtualKeyTyping(U'a'), 0x51);
    EXPECT_EQ(keys->VirtualKeyTyping(U'q'), 0x41);
    EXPECT_EQ(keys->VirtualKeyTyping(U'z'), 0x57);
    EXPECT_EQ(keys->VirtualKeyTyping(U'r'), 0x52);
    EXPECT_EQ(keys->VirtualKeyTyping(U'é'), 0x32);
    EXPECT_EQ(keys->VirtualKeyTyping(U'1'), std::nullopt) << "digits need Shift on AZERTY";

    // The key that types 'a' is the one the engine reads for the answer.
    ComPtr<IDirectInput8> input = inputtest::OpenDirectInput(display);
    ComPtr<IDirectInputDevice8> keyboard = inputtest::AcquiredDevice(*input.get(), GUID_SysKeyboard);
    e2e::Input person(display);
    person.KeyDown("a");
    const std::array<BYTE, 256> state = inputtest::Keys(*keyboard.get());
    person.KeyUp("a");
    EXPECT_EQ(state[ScanCodeOfVirtualKey(*keys->VirtualKeyTyping(U'a'))], 0x80);
}

TEST(XSystemKeys, LayoutSwitchedWhileOpenCountsAtOnce) {
    e2e::Display display(320, 240);
    auto keys = XSystemKeys::Open(display.name());
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->VirtualKeyTyping(U'a'), 0x41);
    if (!SwitchLayout(display, "fr")) GTEST_SKIP() << "setxkbmap is not available";
    EXPECT_EQ(keys->VirtualKeyTyping(U'a'), 0x51);
}

TEST(XSystemKeys, AltKeysAndPointerPosition) {
    auto display = std::make_unique<e2e::Display>(640, 480);
    e2e::Input person(*display);
    auto keys = XSystemKeys::Open(display->name());
    ASSERT_TRUE(keys);
    EXPECT_FALSE(keys->AltDown());
    // By keycode (left, right): for a modifier's keysym xdotool presses the left key too.
    for (const char* alt : {"64", "108"}) {
        person.KeyDown(alt);
        EXPECT_TRUE(keys->AltDown()) << alt;
        person.KeyUp(alt);
        EXPECT_FALSE(keys->AltDown()) << alt;
    }
    person.KeyDown("105");
    EXPECT_FALSE(keys->AltDown());
    person.KeyUp("105");

    person.MoveMouse(200, 150);
    EXPECT_EQ(keys->CursorPosition(), (ScreenPoint{200, 150}));

    display.reset();
    EXPECT_EQ(keys->CursorPosition(), std::nullopt);
    EXPECT_FALSE(keys->AltDown());
    EXPECT_EQ(keys->VirtualKeyTyping(U'r'), std::nullopt);
}
