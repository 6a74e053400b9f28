// The polled keyboard and mouse on a private X display, driven by xdotool as a
// person would press keys and move the pointer.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "Harness.h"
#include "VirtualKeyMap.h"
#include "XDirectInput.h"
#include "XInputTestSupport.h"

namespace {

using e2e::Input;
using namespace inputtest;

DIMOUSESTATE MouseState(IDirectInputDevice8& mouse) {
    DIMOUSESTATE state{};
    EXPECT_EQ(mouse.GetDeviceState(sizeof state, &state), DI_OK);
    return state;
}

int DownCount(const std::array<BYTE, 256>& keys) {
    int n = 0;
    for (BYTE k : keys) n += (k == 0x80) ? 1 : (k != 0 ? 1000 : 0);
    return n;
}

}  // namespace

TEST(XDirectInput, EntryPointRefusesWhatItDoesNotOffer) {
    void* created = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateXDirectInput({}, 0x0700, IID_IDirectInput8A, &created, nullptr), DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_EQ(created, nullptr);
    EXPECT_EQ(CreateXDirectInput({}, 0x0900, IID_IDirectInput8A, &created, nullptr), DIERR_BETADIRECTINPUTVERSION);
    EXPECT_EQ(CreateXDirectInput({}, DIRECTINPUT_VERSION, GUID_SysMouse, &created, nullptr), DIERR_NOINTERFACE);
    EXPECT_EQ(CreateXDirectInput({}, DIRECTINPUT_VERSION, IID_IDirectInput8A, nullptr, nullptr), DIERR_INVALIDPARAM);
    EXPECT_EQ(CreateXDirectInput(":9999", DIRECTINPUT_VERSION, IID_IDirectInput8A, &created, nullptr),
              DIERR_NOTINITIALIZED);
    EXPECT_EQ(created, nullptr);
}

TEST(XDirectInput, DevicesFollowDirectInputsOrderOfCalls) {
    e2e::Display display(320, 240);
    ComPtr<IDirectInput8> input = OpenDirectInput(display);
    ComPtr<IDirectInputDevice8> other;
    EXPECT_EQ(input->CreateDevice(IID_IDirectInput8A, other.put(), nullptr), DIERR_DEVICENOTREG);
    EXPECT_FALSE(other);

    ComPtr<IDirectInputDevice8> keyboard = NewDevice(*input.get(), GUID_SysKeyboard);
    std::array<BYTE, 256> keys{};
    DIDEVCAPS caps{};
    EXPECT_EQ(keyboard->GetCapabilities(&caps), DIERR_INVALIDPARAM) << "size field not set";
    caps.dwSize = sizeof caps;
    EXPECT_EQ(keyboard->GetCapabilities(&caps), DI_OK);
    EXPECT_TRUE(caps.dwFlags & DIDC_ATTACHED);

    EXPECT_EQ(keyboard->Acquire(), DIERR_INVALIDPARAM) << "no data format yet";
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIMouse), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
              DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DIERR_UNSUPPORTED);
    EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, 0x0A), DI_OK);

    EXPECT_EQ(keyboard->GetDeviceState(256, keys.data()), DIERR_NOTACQUIRED);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), S_FALSE);
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DIERR_ACQUIRED);
    EXPECT_EQ(keyboard->GetDeviceState(255, keys.data()), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->GetDeviceState(256, nullptr), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->GetDeviceState(256, keys.data()), DI_OK);
    EXPECT_EQ(keyboard->Unacquire(), DI_OK);
    EXPECT_EQ(keyboard->Unacquire(), S_FALSE);
    EXPECT_EQ(keyboard->GetDeviceState(256, keys.data()), DIERR_NOTACQUIRED);
}

TEST(XDirectInput, KeyboardSeesKeysPressedWhereverTheFocusIs) {
    e2e::Display display(320, 240);
    Input person(display);
    ComPtr<IDirectInput8> input = OpenDirectInput(display);
    ComPtr<IDirectInputDevice8> keyboard = AcquiredDevice(*input.get(), GUID_SysKeyboard);
    EXPECT_EQ(DownCount(Keys(*keyboard.get())), 0);

    person.KeyDown("r");
    auto keys = Keys(*keyboard.get());
    EXPECT_EQ(keys[DIK_R], 0x80);
    EXPECT_EQ(DownCount(keys), 1);

    person.KeyDown("Right");
    person.KeyDown("62");  // the right Shift key by its keycode: xdotool adds the left one to a keysym
    keys = Keys(*keyboard.get());
    EXPECT_EQ(keys[DIK_RIGHT], 0x80);
    EXPECT_EQ(keys[DIK_RSHIFT], 0x80);
    EXPECT_EQ(DownCount(keys), 3);
    // What the engine's KeyDown(VK_RIGHT) and KeyDown(VK_SHIFT) read.
    EXPECT_EQ(keys[ScanCodeOfVirtualKey(0x27)], 0x80);
    EXPECT_EQ(keys[ScanCodeOfVirtualKey(0x10)], 0x80);

    person.KeyUp("r");
    person.KeyUp("Right");
    person.KeyUp("62");
    EXPECT_EQ(DownCount(Keys(*keyboard.get())), 0);
}

TEST(XDirectInput, MouseReportsMotionSinceTheLastReadAndFourButtons) {
    e2e::Display display(640, 480);
    Input person(display);
    person.MoveMouse(100, 100);
    ComPtr<IDirectInput8> input = OpenDirectInput(display);
    ComPtr<IDirectInputDevice8> mouse = AcquiredDevice(*input.get(), GUID_SysMouse);

    person.MoveMouse(130, 90);
    DIMOUSESTATE state = MouseState(*mouse.get());
    EXPECT_EQ(state.lX, 30);
    EXPECT_EQ(state.lY, -10);
    EXPECT_EQ(state.lZ, 0);
    state = MouseState(*mouse.get());
    EXPECT_EQ(state.lX, 0) << "motion is counted once";
    EXPECT_EQ(state.lY, 0);

    // DirectInput's order: left, right, middle, extra; X numbers them 1, 3, 2, 4.
    const int xButtons[4] = {1, 3, 2, 4};
    for (int i = 0; i < 4; ++i) {
        person.ButtonDown(xButtons[i]);
        state = MouseState(*mouse.get());
        for (int j = 0; j < 4; ++j) EXPECT_EQ(state.rgbButtons[j], i == j ? 0x80 : 0) << "X button " << xButtons[i];
        person.ButtonUp(xButtons[i]);
    }
    state = MouseState(*mouse.get());
    for (BYTE b : state.rgbButtons) EXPECT_EQ(b, 0);
}

TEST(XDirectInput, LostDisplayIsReportedAsLostInput) {
    auto display = std::make_unique<e2e::Display>(320, 240);
    ComPtr<IDirectInput8> input = OpenDirectInput(*display);
    ComPtr<IDirectInputDevice8> keyboard = AcquiredDevice(*input.get(), GUID_SysKeyboard);
    ComPtr<IDirectInputDevice8> mouse = AcquiredDevice(*input.get(), GUID_SysMouse);
    display.reset();  // the server goes away

    std::array<BYTE, 256> keys{};
    DIMOUSESTATE state{};
    EXPECT_EQ(keyboard->GetDeviceState(256, keys.data()), DIERR_INPUTLOST);
    EXPECT_EQ(mouse->GetDeviceState(sizeof state, &state), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->GetDeviceState(256, keys.data()), DIERR_NOTACQUIRED);
    DIDEVCAPS caps{};
    caps.dwSize = sizeof caps;
    EXPECT_EQ(mouse->GetCapabilities(&caps), DI_OK);
    EXPECT_FALSE(caps.dwFlags & DIDC_ATTACHED);
}
