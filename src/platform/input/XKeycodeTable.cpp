#include "XKeycodeTable.h"

#include <array>

#include "dinput8.h"

namespace {

struct Entry {
    unsigned keycode;
    BYTE scanCode;
};

constexpr Entry kEntries[] = {
    // The main block, the function keys F1 to F10 and the numeric pad: keycode
    // minus 8 is the scan code.
    {9, DIK_ESCAPE}, {10, DIK_1}, {11, DIK_2}, {12, DIK_3}, {13, DIK_4}, {14, DIK_5}, {15, DIK_6},
    {16, DIK_7}, {17, DIK_8}, {18, DIK_9}, {19, DIK_0}, {20, DIK_MINUS}, {21, DIK_EQUALS}, {22, DIK_BACK},
    {23, DIK_TAB}, {24, DIK_Q}, {25, DIK_W}, {26, DIK_E}, {27, DIK_R}, {28, DIK_T}, {29, DIK_Y},
    {30, DIK_U}, {31, DIK_I}, {32, DIK_O}, {33, DIK_P}, {34, DIK_LBRACKET}, {35, DIK_RBRACKET},
    {36, DIK_RETURN}, {37, DIK_LCONTROL}, {38, DIK_A}, {39, DIK_S}, {40, DIK_D}, {41, DIK_F}, {42, DIK_G},
    {43, DIK_H}, {44, DIK_J}, {45, DIK_K}, {46, DIK_L}, {47, DIK_SEMICOLON}, {48, DIK_APOSTROPHE},
    {49, DIK_GRAVE}, {50, DIK_LSHIFT}, {51, DIK_BACKSLASH}, {52, DIK_Z}, {53, DIK_X}, {54, DIK_C},
    {55, DIK_V}, {56, DIK_B}, {57, DIK_N}, {58, DIK_M}, {59, DIK_COMMA}, {60, DIK_PERIOD}, {61, DIK_SLASH},
    {62, DIK_RSHIFT}, {63, DIK_MULTIPLY}, {64, DIK_LMENU}, {65, DIK_SPACE}, {66, DIK_CAPITAL},
    {67, DIK_F1}, {68, DIK_F2}, {69, DIK_F3}, {70, DIK_F4}, {71, DIK_F5}, {72, DIK_F6}, {73, DIK_F7},
    {74, DIK_F8}, {75, DIK_F9}, {76, DIK_F10}, {77, DIK_NUMLOCK}, {78, DIK_SCROLL}, {79, DIK_NUMPAD7},
    {80, DIK_NUMPAD8}, {81, DIK_NUMPAD9}, {82, DIK_SUBTRACT}, {83, DIK_NUMPAD4}, {84, DIK_NUMPAD5},
    {85, DIK_NUMPAD6}, {86, DIK_ADD}, {87, DIK_NUMPAD1}, {88, DIK_NUMPAD2}, {89, DIK_NUMPAD3},
    {90, DIK_NUMPAD0}, {91, DIK_DECIMAL}, {94, DIK_OEM_102}, {95, DIK_F11}, {96, DIK_F12},
    // Keys that send an extended (0xE0-prefixed) scan code: bit 7 set in DIK_.
    {104, DIK_NUMPADENTER}, {105, DIK_RCONTROL}, {106, DIK_DIVIDE}, {107, DIK_SYSRQ}, {108, DIK_RMENU},
    {110, DIK_HOME}, {111, DIK_UP}, {112, DIK_PRIOR}, {113, DIK_LEFT}, {114, DIK_RIGHT}, {115, DIK_END},
    {116, DIK_DOWN}, {117, DIK_NEXT}, {118, DIK_INSERT}, {119, DIK_DELETE}, {125, DIK_NUMPADEQUALS},
    {127, DIK_PAUSE}, {129, DIK_NUMPADCOMMA}, {133, DIK_LWIN}, {134, DIK_RWIN}, {135, DIK_APPS},
};

struct Tables {
    std::array<BYTE, 256> scanCodes{};
    std::array<unsigned, 256> keycodes{};
};

constexpr Tables Build() {
    Tables t;
    for (const Entry& e : kEntries) {
        t.scanCodes[e.keycode] = e.scanCode;
        t.keycodes[e.scanCode] = e.keycode;
    }
    return t;
}

constexpr Tables kTables = Build();

}  // namespace

std::uint8_t ScanCodeOfXKeycode(unsigned keycode) { return keycode < 256 ? kTables.scanCodes[keycode] : 0; }
unsigned XKeycodeOfScanCode(std::uint8_t scanCode) { return kTables.keycodes[scanCode]; }
