#include "XInputDevice.h"

#include <cstring>
#include <utility>

XInputDevice::XInputDevice(std::shared_ptr<XConnection> connection, const DIDATAFORMAT& format,
                           DWORD deviceType, DWORD axes, DWORD buttons)
    : connection_(std::move(connection)), format_(format), deviceType_(deviceType), axes_(axes), buttons_(buttons) {}

HRESULT XInputDevice::GetCapabilities(DIDEVCAPS* caps) {
    if (!caps || caps->dwSize != sizeof(DIDEVCAPS)) return DIERR_INVALIDPARAM;
    std::memset(caps, 0, sizeof(DIDEVCAPS));
    caps->dwSize = sizeof(DIDEVCAPS);
    caps->dwFlags = connection_->Lost() ? 0 : DIDC_ATTACHED;
    caps->dwDevType = deviceType_;
    caps->dwAxes = axes_;
    caps->dwButtons = buttons_;
    return DI_OK;
}

HRESULT XInputDevice::SetDataFormat(const DIDATAFORMAT* format) {
    if (!format) return DIERR_INVALIDPARAM;
    if (acquired_) return DIERR_ACQUIRED;
    if (format->dwDataSize != format_.dwDataSize || format->dwFlags != format_.dwFlags) return DIERR_INVALIDPARAM;
    formatSet_ = true;
    return DI_OK;
}

HRESULT XInputDevice::SetCooperativeLevel(HWND, DWORD flags) {
    const DWORD exclusivity = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
    const DWORD focus = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
    const DWORD known = DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_BACKGROUND | DISCL_NOWINKEY;
    const bool oneOfEach = (exclusivity == DISCL_EXCLUSIVE || exclusivity == DISCL_NONEXCLUSIVE) &&
                           (focus == DISCL_FOREGROUND || focus == DISCL_BACKGROUND);
    if ((flags & ~known) || !oneOfEach) return DIERR_INVALIDPARAM;
    if (flags != (DISCL_NONEXCLUSIVE | DISCL_BACKGROUND)) return DIERR_UNSUPPORTED;
    return DI_OK;
}

HRESULT XInputDevice::Acquire() {
    if (!formatSet_) return DIERR_INVALIDPARAM;
    if (connection_->Lost()) return DIERR_INPUTLOST;
    if (acquired_) return S_FALSE;
    StartReading();
    if (connection_->Lost()) return DIERR_INPUTLOST;
    acquired_ = true;
    return DI_OK;
}

HRESULT XInputDevice::Unacquire() {
    if (!acquired_) return S_FALSE;
    acquired_ = false;
    return DI_OK;
}

HRESULT XInputDevice::GetDeviceState(DWORD size, void* data) {
    if (!data || size != format_.dwDataSize) return DIERR_INVALIDPARAM;
    if (!acquired_) return DIERR_NOTACQUIRED;
    if (!connection_->Lost()) ReadState(data);
    if (connection_->Lost()) {
        acquired_ = false;
        return DIERR_INPUTLOST;
    }
    return DI_OK;
}
