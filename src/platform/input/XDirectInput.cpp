#include "XDirectInput.h"

#include <utility>

#include "XSystemKeyboard.h"
#include "XSystemMouse.h"

XDirectInput::XDirectInput(std::shared_ptr<XConnection> connection) : connection_(std::move(connection)) {}

HRESULT XDirectInput::CreateDevice(REFGUID device, IDirectInputDevice8** created, IUnknown* outer) {
    if (!created) return DIERR_INVALIDPARAM;
    *created = nullptr;
    if (outer) return DIERR_NOAGGREGATION;
    if (device == GUID_SysKeyboard)
        *created = new XSystemKeyboard(connection_);
    else if (device == GUID_SysMouse)
        *created = new XSystemMouse(connection_);
    else
        return DIERR_DEVICENOTREG;
    return DI_OK;
}

HRESULT CreateXDirectInput(const std::string& displayName, DWORD version, REFIID interfaceId, void** created,
                           IUnknown* outer) {
    if (!created) return DIERR_INVALIDPARAM;
    *created = nullptr;
    if (outer) return DIERR_NOAGGREGATION;
    if (version < DIRECTINPUT_VERSION) return DIERR_OLDDIRECTINPUTVERSION;
    if (version > DIRECTINPUT_VERSION) return DIERR_BETADIRECTINPUTVERSION;
    if (interfaceId != IID_IDirectInput8A) return DIERR_NOINTERFACE;
    std::shared_ptr<XConnection> connection = XConnection::Open(displayName);
    if (!connection) return DIERR_NOTINITIALIZED;
    *created = static_cast<IDirectInput8*>(new XDirectInput(std::move(connection)));
    return DI_OK;
}

HRESULT XDirectInput8Create(HINSTANCE, DWORD version, REFIID interfaceId, void** created, IUnknown* outer) {
    return CreateXDirectInput({}, version, interfaceId, created, outer);
}
