// The system keyboard, polled: KeyState holds the 256-byte state of the last
// successful Poll, indexed by DIK_ scan code, and KeyDown answers by Windows
// virtual-key code through the fixed map of VirtualKeyMap.h. Made with
// New<TkelDXKeyboard>(Scene).
#pragma once

#include "TkelDXCustomInput.h"

namespace kelDX8 {

class TkelDXKeyboard : public TkelDXCustomInput {
public:
    // Bit 7 set while a key is down.
    BYTE KeyState[256] = {};

    ~TkelDXKeyboard() override { Destroy(); }
    const char* ClassName() const override;

    // Reads the state; after DIERR_INPUTLOST (or DIERR_NOTACQUIRED) it re-acquires once and reads
    // again. False when no state could be read: KeyState then keeps what the
    // failed read left. Raises "Cant read device state." when RaiseOnStateError.
    bool Poll() override;
    // The key of that virtual-key code is down in the last state read; false
    // for codes the map does not list.
    bool KeyDown(BYTE Key) const;
    bool AnyKeyDown() const;

protected:
    TkelDXKeyboard() = default;
    void Create(TkelDXScene* Scene);
};

}  // namespace kelDX8
