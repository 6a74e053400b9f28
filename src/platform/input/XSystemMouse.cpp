#include "XSystemMouse.h"

#include <X11/X.h>

#include <utility>

namespace {
constexpr DWORD kMouseDeviceType = 0x0112;  // DI8DEVTYPE_MOUSE, traditional mouse
// DirectInput's button order: left, right, middle, then the extra one.
constexpr unsigned kButtonMasks[4] = {Button1Mask, Button3Mask, Button2Mask, Button4Mask};
}  // namespace

XSystemMouse::XSystemMouse(std::shared_ptr<XConnection> connection)
    : XInputDevice(std::move(connection), c_dfDIMouse, kMouseDeviceType, 3, 4) {}

void XSystemMouse::StartReading() {
    if (auto pointer = connection().QueryPointer()) {
        lastX_ = pointer->x;
        lastY_ = pointer->y;
    }
}

void XSystemMouse::ReadState(void* data) {
    const auto pointer = connection().QueryPointer();
    if (!pointer) return;
    DIMOUSESTATE state{};
    state.lX = pointer->x - lastX_;
    state.lY = pointer->y - lastY_;
    for (int i = 0; i < 4; ++i) state.rgbButtons[i] = (pointer->buttons & kButtonMasks[i]) ? 0x80 : 0;
    lastX_ = pointer->x;
    lastY_ = pointer->y;
    *static_cast<DIMOUSESTATE*>(data) = state;
}
