#include "TkelDXKeyboard.h"

#include <algorithm>

#include "VirtualKeyMap.h"

namespace kelDX8 {

const char* TkelDXKeyboard::ClassName() const { return "TkelDXKeyboard"; }

void TkelDXKeyboard::Create(TkelDXScene* NewScene) {
    TkelDXCustomInput::Create(NewScene);
    OpenDevice(GUID_SysKeyboard, "Cant create keyboard device.", c_dfDIKeyboard);
}

bool TkelDXKeyboard::Poll() { return ReadState(sizeof KeyState, KeyState); }

bool TkelDXKeyboard::KeyDown(BYTE Key) const {
    const BYTE scanCode = ScanCodeOfVirtualKey(Key);
    return scanCode != 0 && (KeyState[scanCode] & 0x80);
}

bool TkelDXKeyboard::AnyKeyDown() const {
    return std::any_of(std::begin(KeyState), std::end(KeyState), [](BYTE b) { return (b & 0x80) != 0; });
}

}  // namespace kelDX8
