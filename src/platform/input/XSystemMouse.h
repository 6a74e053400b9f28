// The system mouse: the pointer's motion since the previous read (or since
// Acquire) in screen pixels, and four buttons: left, right, middle and X's
// button 4. The motion stops at the screen's edges, where the pointer does.
// The wheel (lZ) reads 0: X reports it only as events, which a polled device
// does not receive.
#pragma once

#include "XInputDevice.h"

class XSystemMouse : public XInputDevice {
public:
    explicit XSystemMouse(std::shared_ptr<XConnection> connection);

private:
    void StartReading() override;
    void ReadState(void* data) override;

    int lastX_ = 0, lastY_ = 0;
};
