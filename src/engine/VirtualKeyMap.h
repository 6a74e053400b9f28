// The keyboard's fixed translation from Windows virtual-key codes to DIK_ scan
// codes. It does not follow the keyboard layout: a virtual key names a physical
// key position, the one that carries that letter or function on a US keyboard.
#pragma once

#include "d3d8types.h"

// The scan code whose key-state byte answers for `virtualKey`; 0 for the codes
// the map does not list (no key ever sets the state byte 0).
BYTE ScanCodeOfVirtualKey(BYTE virtualKey);

// The lowest virtual-key code that the map sends to `scanCode`; 0 when none
// does. For scan codes reached by two codes (the right Shift, Control and Alt
// keys, by their generic and their right-hand codes) this is the generic code.
BYTE VirtualKeyOfScanCode(BYTE scanCode);
