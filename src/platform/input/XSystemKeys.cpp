#include "XSystemKeys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <utility>

#include "VirtualKeyMap.h"
#include "XKeycodeTable.h"
#include "dinput8.h"

namespace {

// X names Latin-1 characters by their own code and every other Unicode
// character by its code point with bit 24 set.
unsigned long KeysymOfCharacter(char32_t character) {
    if ((character >= 0x20 && character <= 0x7E) || (character >= 0xA0 && character <= 0xFF)) return character;
    if (character > 0xFF && character <= 0x10FFFF) return 0x01000000ul | character;
    return 0;
}

// The group a key uses when the keyboard is in `group`: keys with fewer groups
// fold the number back into range by the key's own rule.
int EffectiveGroup(XkbDescPtr xkb, unsigned keycode, int group) {
    const int groups = XkbKeyNumGroups(xkb, keycode);
    if (group < groups) return group;
    const unsigned char info = XkbKeyGroupInfo(xkb, keycode);
    switch (XkbOutOfRangeGroupAction(info)) {
        case XkbClampIntoRange:
            return groups - 1;
        case XkbRedirectIntoRange: {
            const int target = XkbOutOfRangeGroupNumber(info);
            return target < groups ? target : 0;
        }
        default:
            return group % groups;
    }
}

}  // namespace

std::unique_ptr<XSystemKeys> XSystemKeys::Open(const std::string& displayName) {
    std::shared_ptr<XConnection> connection = XConnection::Open(displayName);
    if (!connection) return nullptr;
    return std::unique_ptr<XSystemKeys>(new XSystemKeys(std::move(connection)));
}

XSystemKeys::XSystemKeys(std::shared_ptr<XConnection> connection) : connection_(std::move(connection)) {}

unsigned XSystemKeys::KeycodeTyping(unsigned long keysym) {
    Display* display = connection_->display();
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success || connection_->Lost()) return 0;
    // A fresh copy of the map each time: Xlib's own copy is brought up to date
    // only by events, which this connection never reads.
    XkbDescPtr xkb = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (!xkb) return 0;
    unsigned found = 0;
    for (unsigned keycode = xkb->min_key_code; keycode <= xkb->max_key_code && !found; ++keycode) {
        if (XkbKeyNumGroups(xkb, keycode) == 0) continue;
        const int group = EffectiveGroup(xkb, keycode, state.group);
        if (XkbKeySymEntry(xkb, keycode, 0, group) == keysym) found = keycode;
    }
    XkbFreeKeyboard(xkb, 0, True);
    return found;
}

std::optional<std::uint8_t> XSystemKeys::VirtualKeyTyping(char32_t character) {
    const unsigned long keysym = KeysymOfCharacter(character);
    if (keysym == 0 || connection_->Lost()) return std::nullopt;
    const unsigned keycode = KeycodeTyping(keysym);
    if (keycode == 0) return std::nullopt;
    const BYTE virtualKey = VirtualKeyOfScanCode(ScanCodeOfXKeycode(keycode));
    if (virtualKey == 0) return std::nullopt;
    return virtualKey;
}

bool XSystemKeys::AltDown() {
    const std::optional<XConnection::KeyBits> keys = connection_->QueryKeys();
    if (!keys) return false;
    return XConnection::IsDown(*keys, XKeycodeOfScanCode(DIK_LMENU)) ||
           XConnection::IsDown(*keys, XKeycodeOfScanCode(DIK_RMENU));
}

std::optional<ScreenPoint> XSystemKeys::CursorPosition() {
    const std::optional<XConnection::Pointer> pointer = connection_->QueryPointer();
    if (!pointer) return std::nullopt;
    return ScreenPoint{pointer->x, pointer->y};
}
