// Input devices: construction over the fake DirectInput, the shared interface
// and the device count (also when a Create stops part-way), destruction, and
// the keyboard's state and key queries.
#include <gtest/gtest.h>

#include "DevicesTestSupport.h"
#include "FakeDirectInput.h"
#include "entry_points.h"

using namespace kelDX8;
using namespace enginetest;

namespace {

class InputTest : public SceneTest {
protected:
    std::unique_ptr<TkelDXKeyboard> NewKeyboard() { return New<TkelDXKeyboard>(scene.get()); }
    std::unique_ptr<TkelDXMouse> NewMouse() { return New<TkelDXMouse>(scene.get()); }

    fakes::FakeDirectInput input;
};

}  // namespace

TEST_F(InputTest, KeyboardIsSetUpForBackgroundSharedPolling) {
    auto keyboard = NewKeyboard();
    const std::vector<std::string> expected = {
        "DirectInput8Create(0x800)",
        "CreateDevice(\"SysKeyboard\")",
        "Keyboard.GetCapabilities()",
        "Keyboard.SetDataFormat(\"c_dfDIKeyboard\")",
        "Keyboard.SetCooperativeLevel(0x1234, 0xA)",
        "Keyboard.Acquire()",
    };
    EXPECT_EQ(input.Log(), expected);
    EXPECT_EQ(scene->InputDeviceCount, 1);
    EXPECT_TRUE(scene->DirectInput);
    EXPECT_TRUE(keyboard->IsAttached());
    EXPECT_EQ(keyboard->Capabilities.dwSize, 44u);

    input.ClearLog();
    keyboard.reset();
    EXPECT_EQ(input.Log(), (std::vector<std::string>{"Keyboard.Unacquire()", "Destroyed(Keyboard1)", "Destroyed(DI1)"}));
    EXPECT_EQ(scene->InputDeviceCount, 0);
    EXPECT_FALSE(scene->DirectInput);
}

TEST_F(InputTest, DevicesShareOneDirectInputUntilTheLastGoes) {
    auto first = NewKeyboard();
    auto second = NewKeyboard();
    auto mouse = NewMouse();
    EXPECT_EQ(input.LogOf("DirectInput8Create").size(), 1u);
    EXPECT_EQ(input.LogOf("Mouse.SetDataFormat"), std::vector<std::string>{"Mouse.SetDataFormat(\"c_dfDIMouse\")"});
    EXPECT_EQ(scene->InputDeviceCount, 3);
    first.reset();
    mouse.reset();
    EXPECT_EQ(scene->InputDeviceCount, 1);
    EXPECT_TRUE(scene->DirectInput);
    EXPECT_TRUE(second->Poll());
    second.reset();
    EXPECT_FALSE(scene->DirectInput);
    EXPECT_EQ(input.LiveObjects(), 0);
}

TEST(InputWithoutDirectInput, CreationNamesTheDevice) {
    DefaultSwitches switches;
    fakes::Direct3DRecorder d3d;
    auto scene = New<TkelDXScene>(TestWindow(), false, D3DSWAPEFFECT_DISCARD, 10u, 0u, 0u, 0u, true, BYTE{0});
    d3d8::SetDirectInputFactory(nullptr);
    EXPECT_EQ(RaisedHeadline([&] { New<TkelDXKeyboard>(scene.get()); }), "TkelDXKeyboard: Cant create input device.");
    EXPECT_EQ(RaisedHeadline([&] { New<TkelDXMouse>(scene.get()); }), "TkelDXMouse: Cant create input device.");
    EXPECT_EQ(scene->InputDeviceCount, 0);
    EXPECT_EQ(scene->LastError, DIERR_DEVICENOTREG);
}

TEST_F(InputTest, CountStaysTheNumberOfLiveDevicesWhenCreateFails) {
    input.Fail("DirectInput8Create", DIERR_OUTOFMEMORY, 1);
    EXPECT_EQ(RaisedHeadline([&] { NewKeyboard(); }), "TkelDXKeyboard: Cant create input device.");
    EXPECT_EQ(scene->InputDeviceCount, 0);
    EXPECT_FALSE(scene->DirectInput);

    input.Fail("CreateDevice", DIERR_DEVICENOTREG, 1);
    EXPECT_EQ(RaisedHeadline([&] { NewKeyboard(); }), "TkelDXKeyboard: Cant create keyboard device.");
    EXPECT_EQ(scene->InputDeviceCount, 0);
    EXPECT_FALSE(scene->DirectInput) << "the interface made for it is released";
    EXPECT_EQ(input.LiveObjects(), 0);

    auto keyboard = NewKeyboard();
    input.Fail("CreateDevice(\"SysMouse\"", DIERR_DEVICENOTREG, 1);
    EXPECT_EQ(RaisedHeadline([&] { NewMouse(); }), "TkelDXMouse: Cant create mouse device.");
    input.Fail("Mouse.SetDataFormat", DIERR_INVALIDPARAM, 1);
    EXPECT_EQ(RaisedHeadline([&] { NewMouse(); }), "TkelDXMouse: Cant set input data format.");
    EXPECT_EQ(scene->InputDeviceCount, 1);
    EXPECT_TRUE(scene->DirectInput);
    EXPECT_EQ(input.LiveObjects(), 2) << "the interface and the keyboard";
}

TEST_F(InputTest, StateSwitchDecidesAboutCooperationAndAcquisition) {
    input.Fail("Keyboard.SetCooperativeLevel", DIERR_INVALIDPARAM);
    input.Fail("Keyboard.Acquire", DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(RaisedHeadline([&] { NewKeyboard(); }), "");
    RaiseOnStateError = true;
    EXPECT_EQ(RaisedHeadline([&] { NewKeyboard(); }), "TkelDXKeyboard: Cant set input cooperation level.");
    input.ClearFailures();
    input.Fail("Keyboard.Acquire", DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(RaisedHeadline([&] { NewKeyboard(); }), "TkelDXKeyboard: Cant acquire input device.");
    EXPECT_EQ(scene->InputDeviceCount, 0);
}

TEST_F(InputTest, CapabilitiesAndAttachment) {
    input.Detach();
    auto keyboard = NewKeyboard();
    EXPECT_FALSE(keyboard->IsAttached());
    EXPECT_EQ(scene->LastError, S_OK);
    input.Fail("Keyboard.GetCapabilities", DIERR_GENERIC);
    EXPECT_FALSE(keyboard->ReadCapabilities());
    RaiseOnCapsError = true;
    EXPECT_EQ(RaisedHeadline([&] { keyboard->IsAttached(); }), "TkelDXKeyboard: Cant read input device capabilities.");
}

TEST_F(InputTest, FailedUnacquireIsRecordedNotRaised) {
    auto keyboard = NewKeyboard();
    RaiseOnStateError = true;
    input.Fail("Keyboard.Unacquire", DIERR_GENERIC);
    keyboard.reset();
    EXPECT_EQ(scene->LastError, DIERR_GENERIC);
    EXPECT_EQ(scene->LastErrorText.substr(0, scene->LastErrorText.find('\r')),
              "TkelDXKeyboard: Cant unacquire input device.");
    EXPECT_EQ(scene->InputDeviceCount, 0);
}

TEST_F(InputTest, KeyDownReadsThePhysicalKeyOfTheVirtualCode) {
    auto keyboard = NewKeyboard();
    ASSERT_TRUE(keyboard->Poll());
    EXPECT_FALSE(keyboard->AnyKeyDown());
    for (int scan = 0; scan < 256; ++scan) {
        input.ReleaseAllKeys();
        input.PressKey(static_cast<BYTE>(scan));
        ASSERT_TRUE(keyboard->Poll());
        for (int vk = 0; vk < 256; ++vk) {
            const bool mapped = scan != 0 && ScanCodeOfVirtualKey(static_cast<BYTE>(vk)) == scan;
            ASSERT_EQ(keyboard->KeyDown(static_cast<BYTE>(vk)), mapped) << "scan 0x" << std::hex << scan << " vk 0x" << vk;
        }
    }
    EXPECT_FALSE(keyboard->KeyDown(0x0C)) << "unlisted, even with state byte 0 set";
    EXPECT_TRUE(keyboard->AnyKeyDown());
}

TEST_F(InputTest, GenericModifiersAreTheRightHandKeys) {
    auto keyboard = NewKeyboard();
    const struct {
        BYTE left, right, generic, leftCode, rightCode;
    } modifiers[] = {
        {DIK_LSHIFT, DIK_RSHIFT, 0x10, 0xA0, 0xA1},
        {DIK_LCONTROL, DIK_RCONTROL, 0x11, 0xA2, 0xA3},
        {DIK_LMENU, DIK_RMENU, 0x12, 0xA4, 0xA5},
    };
    for (const auto& m : modifiers) {
        input.ReleaseAllKeys();
        input.PressKey(m.left);
        keyboard->Poll();
        EXPECT_FALSE(keyboard->KeyDown(m.generic));
        EXPECT_TRUE(keyboard->KeyDown(m.leftCode));
        EXPECT_FALSE(keyboard->KeyDown(m.rightCode));
        input.ReleaseAllKeys();
        input.PressKey(m.right);
        keyboard->Poll();
        EXPECT_TRUE(keyboard->KeyDown(m.generic));
        EXPECT_FALSE(keyboard->KeyDown(m.leftCode));
        EXPECT_TRUE(keyboard->KeyDown(m.rightCode));
    }
}

TEST_F(InputTest, KeyboardKeepsItsStateWhenAReadFails) {
    auto keyboard = NewKeyboard();
    input.PressVirtualKey('A');
    keyboard->Poll();
    input.ReleaseAllKeys();
    input.Fail("Keyboard.GetDeviceState", DIERR_GENERIC, 1);
    input.ClearLog();
    EXPECT_FALSE(keyboard->Poll());
    EXPECT_TRUE(keyboard->KeyDown('A'));
    EXPECT_TRUE(input.LogOf("Keyboard.Acquire").empty()) << "not lost: no re-acquire";
    EXPECT_TRUE(keyboard->Poll());
    EXPECT_FALSE(keyboard->KeyDown('A'));
}

TEST_F(InputTest, LostKeyboardIsReacquired) {
    auto keyboard = NewKeyboard();
    input.PressVirtualKey(0x1B);
    input.LoseInput();
    input.ClearLog();
    EXPECT_TRUE(keyboard->Poll());
    EXPECT_TRUE(keyboard->KeyDown(0x1B));
    EXPECT_EQ(input.Log(), (std::vector<std::string>{"Keyboard.GetDeviceState(256)", "Keyboard.Acquire()",
                                                     "Keyboard.GetDeviceState(256)"}));

    // The re-acquire itself fails: no state now, and the next poll tries again.
    input.LoseInput();
    input.Fail("Keyboard.Acquire", DIERR_OTHERAPPHASPRIO, 1);
    EXPECT_FALSE(keyboard->Poll());
    EXPECT_TRUE(keyboard->Poll());
    EXPECT_TRUE(keyboard->KeyDown(0x1B));
}

TEST_F(InputTest, LostKeyboardRaisesUnderTheStateSwitch) {
    auto keyboard = NewKeyboard();
    RaiseOnStateError = true;
    input.LoseInput();
    input.ClearLog();
    EXPECT_EQ(RaisedHeadline([&] { keyboard->Poll(); }), "TkelDXKeyboard: Cant read device state.");
    EXPECT_EQ(scene->LastError, DIERR_INPUTLOST);
    EXPECT_TRUE(input.LogOf("Keyboard.Acquire").empty());
}
