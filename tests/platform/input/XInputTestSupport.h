// DirectInput over a private X display, set up as the engine sets it up.
#pragma once

#include <gtest/gtest.h>

#include "Harness.h"
#include "XDirectInput.h"

namespace inputtest {

inline ComPtr<IDirectInput8> OpenDirectInput(const e2e::Display& display) {
    void* created = nullptr;
    EXPECT_EQ(CreateXDirectInput(display.name(), DIRECTINPUT_VERSION, IID_IDirectInput8A, &created, nullptr), DI_OK);
    return ComPtr<IDirectInput8>::Attach(static_cast<IDirectInput8*>(created));
}

inline ComPtr<IDirectInputDevice8> NewDevice(IDirectInput8& input, REFGUID guid) {
    ComPtr<IDirectInputDevice8> device;
    EXPECT_EQ(input.CreateDevice(guid, device.put(), nullptr), DI_OK);
    return device;
}

// Standard format, background sharing, acquired.
inline ComPtr<IDirectInputDevice8> AcquiredDevice(IDirectInput8& input, REFGUID guid) {
    ComPtr<IDirectInputDevice8> device = NewDevice(input, guid);
    const DIDATAFORMAT& format = guid == GUID_SysKeyboard ? c_dfDIKeyboard : c_dfDIMouse;
    EXPECT_EQ(device->SetDataFormat(&format), DI_OK);
    EXPECT_EQ(device->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    EXPECT_EQ(device->Acquire(), DI_OK);
    return device;
}

inline std::array<BYTE, 256> Keys(IDirectInputDevice8& keyboard) {
    std::array<BYTE, 256> keys{};
    EXPECT_EQ(keyboard.GetDeviceState(256, keys.data()), DI_OK);
    return keys;
}

}  // namespace inputtest
