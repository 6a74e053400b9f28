// What the keyboard and the mouse share: one DirectInput device, and the
// scene's DirectInput interface, which the first input device of a scene
// creates and the last one to go releases. The scene's InputDeviceCount is the
// number of live input devices, also when a Create fails part-way.
//
// Devices are polled: Poll reads the state, the application then reads the
// fields. Create, Poll and free them on the scene's thread, before the scene.
#pragma once

#include "TkelDXCustomObject.h"
#include "dinput8.h"

namespace kelDX8 {

class TkelDXCustomInput : public TkelDXCustomObject {
public:
    // As last read by ReadCapabilities.
    DIDEVCAPS Capabilities{};
    ComPtr<IDirectInputDevice8> InputDevice;

    // Destroy, in case a derived class has not run it.
    ~TkelDXCustomInput() override;
    const char* ClassName() const override;

    // Reads the device state; false when it could not be read (see the devices).
    virtual bool Poll() = 0;
    bool ReadCapabilities();
    // ReadCapabilities succeeded and the device reports itself attached.
    bool IsAttached();

protected:
    TkelDXCustomInput() = default;
    // Creates the scene's DirectInput when it has none: "Cant create input
    // device." when the entry point is missing or fails.
    void Create(TkelDXScene* Scene);
    // The steps after the device kind's own: create the device (raising
    // CreateMessage on failure), check it is attached, set Format, the
    // background non-exclusive cooperative level, and acquire.
    void OpenDevice(REFGUID Device, const char* CreateMessage, const DIDATAFORMAT& Format);
    // GetDeviceState; when it fails, ReadFailed, then after DIERR_INPUTLOST (or
    // DIERR_NOTACQUIRED) one re-acquire and read again.
    bool ReadState(DWORD Size, void* Data);
    // Unacquires the device and gives back the scene's share of DirectInput; the
    // second call does nothing. Each device's destructor runs it, so that a
    // failure is reported under the device's own class name. A failed Unacquire
    // is recorded in the scene but never raised: a destructor must not throw.
    void Destroy();
    // What a device forgets when a read fails.
    virtual void ReadFailed() {}

private:
    bool ReadStateOnce(DWORD Size, void* Data);
    bool AcquireDevice();

    bool counted_ = false;
};

}  // namespace kelDX8
