// DirectInput over the X display: the system keyboard and the system mouse,
// polled and read in the background, on a display connection of its own that
// the devices share. Create, use and release it on one thread.
#pragma once

#include <memory>
#include <string>

#include "XConnection.h"
#include "dinput8.h"

class XDirectInput : public RefCounted<IDirectInput8> {
public:
    explicit XDirectInput(std::shared_ptr<XConnection> connection);
    // GUID_SysKeyboard or GUID_SysMouse; DIERR_DEVICENOTREG for any other
    // device, DIERR_NOAGGREGATION with an outer object.
    HRESULT CreateDevice(REFGUID device, IDirectInputDevice8** created, IUnknown* outer) override;

private:
    std::shared_ptr<XConnection> connection_;
};

// DirectInput8Create for the display `displayName` ($DISPLAY when empty).
// Version 0x0800 and IID_IDirectInput8A only; DIERR_NOTINITIALIZED when the
// display cannot be opened.
HRESULT CreateXDirectInput(const std::string& displayName, DWORD version, REFIID interfaceId, void** created,
                           IUnknown* outer);

// The entry point to install with d3d8::SetDirectInputFactory: the display of $DISPLAY.
HRESULT XDirectInput8Create(HINSTANCE instance, DWORD version, REFIID interfaceId, void** created, IUnknown* outer);
