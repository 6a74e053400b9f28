// Every entry of the keyboard's virtual-key map, stated by the key it names.
#include <gtest/gtest.h>

#include <map>

#include "VirtualKeyMap.h"
#include "dinput8.h"

namespace {

std::map<int, BYTE> ExpectedMap() {
    std::map<int, BYTE> m = {
        {0x08, DIK_BACK},      {0x09, DIK_TAB},        {0x0D, DIK_RETURN},    {0x10, DIK_RSHIFT},
        {0x11, DIK_RCONTROL},  {0x12, DIK_RMENU},      {0x13, DIK_PAUSE},     {0x14, DIK_CAPITAL},
        {0x1B, DIK_ESCAPE},    {0x20, DIK_SPACE},      {0x21, DIK_PRIOR},     {0x22, DIK_NEXT},
        {0x23, DIK_END},       {0x24, DIK_HOME},       {0x25, DIK_LEFT},      {0x26, DIK_UP},
        {0x27, DIK_RIGHT},     {0x28, DIK_DOWN},       {0x2A, DIK_MULTIPLY},  {',', DIK_COMMA},
        {0x2D, DIK_INSERT},    {0x2E, DIK_DELETE},     {'/', DIK_SLASH},      {':', DIK_COLON},
        {';', DIK_SEMICOLON},  {'=', DIK_EQUALS},      {'@', DIK_AT},         {'[', DIK_LBRACKET},
        {'\\', DIK_BACKSLASH}, {']', DIK_RBRACKET},    {'_', DIK_UNDERLINE},  {0x6B, DIK_ADD},
        {0x6D, DIK_SUBTRACT},  {0x6E, DIK_DECIMAL},    {0x6F, DIK_DIVIDE},    {0x90, DIK_NUMLOCK},
        {0x91, DIK_SCROLL},    {0xA0, DIK_LSHIFT},     {0xA1, DIK_RSHIFT},    {0xA2, DIK_LCONTROL},
        {0xA3, DIK_RCONTROL},  {0xA4, DIK_LMENU},      {0xA5, DIK_RMENU},
    };
    const BYTE digits[] = {DIK_0, DIK_1, DIK_2, DIK_3, DIK_4, DIK_5, DIK_6, DIK_7, DIK_8, DIK_9};
    const BYTE pad[] = {DIK_NUMPAD0, DIK_NUMPAD1, DIK_NUMPAD2, DIK_NUMPAD3, DIK_NUMPAD4,
                        DIK_NUMPAD5, DIK_NUMPAD6, DIK_NUMPAD7, DIK_NUMPAD8, DIK_NUMPAD9};
    for (int i = 0; i < 10; ++i) {
        m['0' + i] = digits[i];
        m[0x60 + i] = pad[i];
    }
    const BYTE letters[] = {DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I, DIK_J, DIK_K, DIK_L, DIK_M,
                            DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R, DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z};
    for (int i = 0; i < 26; ++i) m['A' + i] = letters[i];
    const BYTE functions[] = {DIK_F1, DIK_F2, DIK_F3, DIK_F4, DIK_F5, DIK_F6,
                              DIK_F7, DIK_F8, DIK_F9, DIK_F10, DIK_F11, DIK_F12};
    for (int i = 0; i < 12; ++i) m[0x70 + i] = functions[i];
    return m;
}

}  // namespace

TEST(VirtualKeyMap, EveryListedCodeAndNothingElse) {
    const std::map<int, BYTE> expected = ExpectedMap();
    EXPECT_EQ(expected.size(), 101u);
    for (int vk = 0; vk < 256; ++vk) {
        auto it = expected.find(vk);
        EXPECT_EQ(ScanCodeOfVirtualKey(static_cast<BYTE>(vk)), it == expected.end() ? 0 : it->second)
            << "virtual key 0x" << std::hex << vk;
    }
}

TEST(VirtualKeyMap, BackwardGivesTheLowestCodeOfAKey) {
    EXPECT_EQ(VirtualKeyOfScanCode(DIK_R), 'R');
    EXPECT_EQ(VirtualKeyOfScanCode(DIK_RSHIFT), 0x10) << "generic Shift before the right-hand code";
    EXPECT_EQ(VirtualKeyOfScanCode(DIK_RCONTROL), 0x11);
    EXPECT_EQ(VirtualKeyOfScanCode(DIK_RMENU), 0x12);
    EXPECT_EQ(VirtualKeyOfScanCode(DIK_LSHIFT), 0xA0);
    EXPECT_EQ(VirtualKeyOfScanCode(DIK_MINUS), 0) << "no listed code reaches it";
    EXPECT_EQ(VirtualKeyOfScanCode(0), 0);
    for (int scan = 1; scan < 256; ++scan)
        if (BYTE vk = VirtualKeyOfScanCode(static_cast<BYTE>(scan))) {
            EXPECT_EQ(ScanCodeOfVirtualKey(vk), scan);
        }
}
