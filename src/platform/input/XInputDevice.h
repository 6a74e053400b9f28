// What the polled system keyboard and mouse share: the data format, the
// cooperative level and acquisition, with DirectInput's results for calls in
// the wrong state. The state itself comes from the X display each time
// GetDeviceState is called; nothing is buffered between calls.
#pragma once

#include <memory>

#include "XConnection.h"
#include "dinput8.h"

class XInputDevice : public RefCounted<IDirectInputDevice8> {
public:
    HRESULT GetCapabilities(DIDEVCAPS* caps) override;
    // Only the device's standard format (c_dfDIKeyboard or c_dfDIMouse) is
    // accepted; DIERR_ACQUIRED while acquired.
    HRESULT SetDataFormat(const DIDATAFORMAT* format) override;
    // Only DISCL_NONEXCLUSIVE | DISCL_BACKGROUND is offered: the state is read
    // from the display whichever window has the focus, and no window is needed.
    // Other valid combinations give DIERR_UNSUPPORTED.
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    // DIERR_INVALIDPARAM before SetDataFormat; S_FALSE when already acquired;
    // DIERR_INPUTLOST when the display connection broke.
    HRESULT Acquire() override;
    // S_FALSE when not acquired.
    HRESULT Unacquire() override;
    // DIERR_INVALIDPARAM for no buffer or the wrong size, DIERR_NOTACQUIRED
    // before Acquire, DIERR_INPUTLOST (and unacquired) when the connection broke.
    HRESULT GetDeviceState(DWORD size, void* data) override;

protected:
    XInputDevice(std::shared_ptr<XConnection> connection, const DIDATAFORMAT& format, DWORD deviceType,
                 DWORD axes, DWORD buttons);
    XConnection& connection() const { return *connection_; }
    // Called by Acquire, so that relative values start from the moment of acquisition.
    virtual void StartReading() {}
    // Fills `data` (the format's size) from the display.
    virtual void ReadState(void* data) = 0;

private:
    std::shared_ptr<XConnection> connection_;
    const DIDATAFORMAT& format_;
    DWORD deviceType_, axes_, buttons_;
    bool formatSet_ = false;
    bool acquired_ = false;
};
