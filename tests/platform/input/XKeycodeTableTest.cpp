// Every entry of the X keycode table against the key the X server's own US
// layout puts at that keycode.
#include <gtest/gtest.h>
// After GoogleTest, whose names Xlib's macros would clash with.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <set>

#include "Harness.h"
#include "XKeycodeTable.h"
#include "dinput8.h"

namespace {

struct Expected {
    BYTE scanCode;
    KeySym keysym;  // what the key carries on a US keyboard
};

const Expected kUsKeys[] = {
    {DIK_ESCAPE, XK_Escape}, {DIK_1, XK_1}, {DIK_2, XK_2}, {DIK_3, XK_3}, {DIK_4, XK_4}, {DIK_5, XK_5},
    {DIK_6, XK_6}, {DIK_7, XK_7}, {DIK_8, XK_8}, {DIK_9, XK_9}, {DIK_0, XK_0}, {DIK_MINUS, XK_minus},
    {DIK_EQUALS, XK_equal}, {DIK_BACK, XK_BackSpace}, {DIK_TAB, XK_Tab}, {DIK_Q, XK_q}, {DIK_W, XK_w},
    {DIK_E, XK_e}, {DIK_R, XK_r}, {DIK_T, XK_t}, {DIK_Y, XK_y}, {DIK_U, XK_u}, {DIK_I, XK_i}, {DIK_O, XK_o},
    {DIK_P, XK_p}, {DIK_LBRACKET, XK_bracketleft}, {DIK_RBRACKET, XK_bracketright}, {DIK_RETURN, XK_Return},
    {DIK_LCONTROL, XK_Control_L}, {DIK_A, XK_a}, {DIK_S, XK_s}, {DIK_D, XK_d}, {DIK_F, XK_f}, {DIK_G, XK_g},
    {DIK_H, XK_h}, {DIK_J, XK_j}, {DIK_K, XK_k}, {DIK_L, XK_l}, {DIK_SEMICOLON, XK_semicolon},
    {DIK_APOSTROPHE, XK_apostrophe}, {DIK_GRAVE, XK_grave}, {DIK_LSHIFT, XK_Shift_L},
    {DIK_BACKSLASH, XK_backslash}, {DIK_Z, XK_z}, {DIK_X, XK_x}, {DIK_C, XK_c}, {DIK_V, XK_v}, {DIK_B, XK_b},
    {DIK_N, XK_n}, {DIK_M, XK_m}, {DIK_COMMA, XK_comma}, {DIK_PERIOD, XK_period}, {DIK_SLASH, XK_slash},
    {DIK_RSHIFT, XK_Shift_R}, {DIK_MULTIPLY, XK_KP_Multiply}, {DIK_LMENU, XK_Alt_L}, {DIK_SPACE, XK_space},
    {DIK_CAPITAL, XK_Caps_Lock}, {DIK_F1, XK_F1}, {DIK_F2, XK_F2}, {DIK_F3, XK_F3}, {DIK_F4, XK_F4},
    {DIK_F5, XK_F5}, {DIK_F6, XK_F6}, {DIK_F7, XK_F7}, {DIK_F8, XK_F8}, {DIK_F9, XK_F9}, {DIK_F10, XK_F10},
    {DIK_NUMLOCK, XK_Num_Lock}, {DIK_SCROLL, XK_Scroll_Lock}, {DIK_NUMPAD7, XK_KP_Home},
    {DIK_NUMPAD8, XK_KP_Up}, {DIK_NUMPAD9, XK_KP_Prior}, {DIK_SUBTRACT, XK_KP_Subtract},
    {DIK_NUMPAD4, XK_KP_Left}, {DIK_NUMPAD5, XK_KP_Begin}, {DIK_NUMPAD6, XK_KP_Right}, {DIK_ADD, XK_KP_Add},
    {DIK_NUMPAD1, XK_KP_End}, {DIK_NUMPAD2, XK_KP_Down}, {DIK_NUMPAD3, XK_KP_Next},
    {DIK_NUMPAD0, XK_KP_Insert}, {DIK_DECIMAL, XK_KP_Delete}, {DIK_OEM_102, XK_less}, {DIK_F11, XK_F11},
    {DIK_F12, XK_F12}, {DIK_NUMPADENTER, XK_KP_Enter}, {DIK_RCONTROL, XK_Control_R},
    {DIK_DIVIDE, XK_KP_Divide}, {DIK_SYSRQ, XK_Print}, {DIK_RMENU, XK_Alt_R}, {DIK_HOME, XK_Home},
    {DIK_UP, XK_Up}, {DIK_PRIOR, XK_Prior}, {DIK_LEFT, XK_Left}, {DIK_RIGHT, XK_Right}, {DIK_END, XK_End},
    {DIK_DOWN, XK_Down}, {DIK_NEXT, XK_Next}, {DIK_INSERT, XK_Insert}, {DIK_DELETE, XK_Delete},
    {DIK_NUMPADEQUALS, XK_KP_Equal}, {DIK_PAUSE, XK_Pause}, {DIK_NUMPADCOMMA, XK_KP_Decimal},
    {DIK_LWIN, XK_Super_L}, {DIK_RWIN, XK_Super_R}, {DIK_APPS, XK_Menu},
};

// The first keysym of a keycode in the server's core keyboard mapping.
KeySym FirstKeysym(::Display* x, unsigned keycode) {
    int perCode = 0;
    KeySym* syms = XGetKeyboardMapping(x, static_cast<KeyCode>(keycode), 1, &perCode);
    KeySym first = (syms && perCode > 0) ? syms[0] : NoSymbol;
    XFree(syms);
    return first;
}

}  // namespace

TEST(XKeycodeTable, EveryEntryIsTheUsKeyAtThatKeycode) {
    e2e::Display display(320, 240);
    ::Display* x = XOpenDisplay(display.name().c_str());
    ASSERT_NE(x, nullptr);
    std::set<BYTE> seen;
    for (const Expected& key : kUsKeys) {
        const unsigned keycode = XKeycodeOfScanCode(key.scanCode);
        ASSERT_NE(keycode, 0u) << "scan code 0x" << std::hex << int(key.scanCode);
        EXPECT_EQ(FirstKeysym(x, keycode), key.keysym)
            << "scan code 0x" << std::hex << int(key.scanCode) << " at keycode " << std::dec << keycode;
        EXPECT_EQ(ScanCodeOfXKeycode(keycode), key.scanCode);
        seen.insert(key.scanCode);
    }
    XCloseDisplay(x);
    // ...and the table holds nothing else.
    for (unsigned keycode = 0; keycode < 256; ++keycode)
        if (BYTE scanCode = ScanCodeOfXKeycode(keycode)) {
            EXPECT_TRUE(seen.count(scanCode)) << "unchecked keycode " << keycode;
        }
}

TEST(XKeycodeTable, UnknownCodesGiveZero) {
    EXPECT_EQ(ScanCodeOfXKeycode(0), 0);
    EXPECT_EQ(ScanCodeOfXKeycode(8), 0);
    EXPECT_EQ(ScanCodeOfXKeycode(255), 0);
    EXPECT_EQ(ScanCodeOfXKeycode(100000), 0);
    EXPECT_EQ(XKeycodeOfScanCode(0), 0u);
    EXPECT_EQ(XKeycodeOfScanCode(0xFF), 0u);
}
