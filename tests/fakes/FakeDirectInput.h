// A scriptable DirectInput 8: the system keyboard and mouse whose state the
// test sets, failures of any call, and input that gets lost.
//
//   fakes::FakeDirectInput input;            // installs itself as the entry point
//   auto keyboard = kelDX8::New<kelDX8::TkelDXKeyboard>(scene.get());
//   input.PressVirtualKey(0x27);              // the right arrow
//   keyboard->Poll();                         // KeyDown(0x27) is now true
//   input.MoveMouse(5, -3);                   // read once by the next mouse poll
//   input.Fail("Mouse.GetDeviceState", DIERR_GENERIC, 1);
//   input.LoseInput();                        // the next read of each device: DIERR_INPUTLOST
//
// Devices keep DirectInput's order of calls: a data format before Acquire,
// DIERR_NOTACQUIRED before Acquire, and a lost device stays unacquired until
// Acquire succeeds again. Calls are logged as in CallRecorder.h, named after the
// device: "DirectInput8Create(0x800)", "CreateDevice(SysKeyboard)",
// "Keyboard.SetCooperativeLevel(0x1234, 0xA)", "Mouse.GetDeviceState(16)",
// "Keyboard.Unacquire"; the last release of a fake is "Destroyed(DI1)" (or
// Keyboard1, Mouse1). Failing "DirectInput8Create" makes the entry point fail.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "CallRecorder.h"
#include "dinput8.h"

namespace fakes {

// What the fake devices read; shared by all of them.
struct InputScript {
    std::array<BYTE, 256> Keys{};  // by DIK_ scan code
    LONG MotionX = 0, MotionY = 0, MotionZ = 0;  // since the last mouse read
    bool Buttons[4] = {};
    bool Attached = true;  // what GetCapabilities reports
    // Counts up with every LoseInput; a device whose count lags has lost its input.
    int Losses = 0;
};

class FakeDirectInput {
public:
    FakeDirectInput();
    // Removes the entry point: DirectInput is then missing. Fake objects still
    // alive keep working.
    ~FakeDirectInput();
    FakeDirectInput(const FakeDirectInput&) = delete;
    FakeDirectInput& operator=(const FakeDirectInput&) = delete;

    // Keys by DIK_ scan code, or by virtual-key code through the keyboard's map.
    void PressKey(BYTE ScanCode);
    void ReleaseKey(BYTE ScanCode);
    void PressVirtualKey(BYTE VirtualKey);
    void ReleaseVirtualKey(BYTE VirtualKey);
    void ReleaseAllKeys();
    // Adds motion that the next successful mouse read reports (and consumes).
    void MoveMouse(LONG X, LONG Y, LONG Z = 0);
    // Button 0 left, 1 right, 2 middle, 3 the extra one.
    void PressButton(int Button);
    void ReleaseButton(int Button);
    // Devices then report themselves not attached.
    void Detach() { script_->Attached = false; }
    // Every device's next GetDeviceState fails with DIERR_INPUTLOST and leaves
    // it unacquired, as when another program takes the input away.
    void LoseInput() { ++script_->Losses; }

    // See CallRecorder::Fail: a call name ("Keyboard.Acquire") or the start of
    // a call text ("CreateDevice(\"SysMouse\"").
    void Fail(const std::string& Key, HRESULT Result, int Nth = 0) { recorder_->Fail(Key, Result, Nth); }
    void ClearFailures() { recorder_->ClearFailures(); }

    std::vector<std::string> Log() const;
    std::vector<std::string> LogOf(const std::string& Name) const;
    void ClearLog() { recorder_->ClearLog(); }
    // Fake DirectInput objects and devices still alive.
    int LiveObjects() const { return recorder_->LiveObjects(); }
    InputScript& Script() { return *script_; }

private:
    std::shared_ptr<CallRecorder> recorder_;
    std::shared_ptr<InputScript> script_;
};

}  // namespace fakes
