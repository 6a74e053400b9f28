#include "XSystemKeyboard.h"

#include <cstring>
#include <utility>

#include "XKeycodeTable.h"

namespace {
constexpr DWORD kKeyboardDeviceType = 0x0413;  // DI8DEVTYPE_KEYBOARD, enhanced PC keyboard
constexpr DWORD kKeyCount = 128;
}  // namespace

XSystemKeyboard::XSystemKeyboard(std::shared_ptr<XConnection> connection)
    : XInputDevice(std::move(connection), c_dfDIKeyboard, kKeyboardDeviceType, 0, kKeyCount) {}

void XSystemKeyboard::ReadState(void* data) {
    const std::optional<XConnection::KeyBits> keys = connection().QueryKeys();
    if (!keys) return;
    auto* state = static_cast<BYTE*>(data);
    std::memset(state, 0, 256);
    for (unsigned keycode = 0; keycode < 256; ++keycode)
        if (XConnection::IsDown(*keys, keycode))
            if (BYTE scanCode = ScanCodeOfXKeycode(keycode)) state[scanCode] = 0x80;
}
