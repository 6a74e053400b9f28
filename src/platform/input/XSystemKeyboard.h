// The system keyboard: 256 bytes indexed by DIK_ scan code, 0x80 for each key
// the X server has down (XQueryKeymap), seen whichever window has the focus.
#pragma once

#include "XInputDevice.h"

class XSystemKeyboard : public XInputDevice {
public:
    explicit XSystemKeyboard(std::shared_ptr<XConnection> connection);

private:
    void ReadState(void* data) override;
};
