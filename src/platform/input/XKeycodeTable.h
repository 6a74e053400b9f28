// Which DIK_ scan code each X keycode stands for. X servers of today (Xorg,
// Xvfb, XWayland) number keys by the kernel's input codes plus 8, and those
// codes follow the PC scan codes, so the table is fixed and does not depend on
// the keyboard layout.
#pragma once

#include <cstdint>

// The DIK_ scan code of an X keycode; 0 for keycodes with no scan code.
std::uint8_t ScanCodeOfXKeycode(unsigned keycode);

// The X keycode of a DIK_ scan code; 0 for scan codes no keycode carries.
unsigned XKeycodeOfScanCode(std::uint8_t scanCode);
