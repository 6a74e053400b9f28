// The system mouse, polled: the relative motion of each Poll, scaled by Speed
// and optionally inverted, summed into running totals, and four buttons. With
// UseCursor, RawX and RawY come from the screen cursor (CursorPosition.h)
// instead; the deltas always follow the device's motion. The application reads
// and writes the fields directly. Made with New<TkelDXMouse>(Scene).
#pragma once

#include "TkelDXCustomInput.h"

namespace kelDX8 {

class TkelDXMouse : public TkelDXCustomInput {
public:
    // Button i is down: 0 left, 1 right, 2 middle, 3 the extra one.
    bool Buttons[4] = {};
    // Motion of the last Poll times Speed; DeltaY is positive away from the user.
    float DeltaX = 0, DeltaY = 0, DeltaZ = 0;
    bool InvertX = false, InvertY = false, InvertZ = false;
    // The raw state of the last read.
    DIMOUSESTATE State{};
    bool UseCursor = false;
    // Unscaled motion of the last Poll.
    LONG RawX = 0, RawY = 0, RawZ = 0;
    // The cursor position the cursor motion is measured from.
    POINT CursorPos{};
    // Running sum of the wheel motion.
    LONG Wheel = 0;
    float Speed = 1.0f;
    // Running sums of the deltas.
    float PositionX = 0, PositionY = 0, PositionZ = 0;

    ~TkelDXMouse() override { Destroy(); }
    const char* ClassName() const override;

    // Reads the state. When it cannot be read the deltas, raw values and buttons
    // read zero and false; after DIERR_INPUTLOST (or DIERR_NOTACQUIRED) it re-acquires once and reads
    // again. False when no state could be read, the totals then unchanged.
    // Raises "Cant read device state." when RaiseOnStateError.
    bool Poll() override;

protected:
    TkelDXMouse() = default;
    void Create(TkelDXScene* Scene);

    void ReadFailed() override;

private:
    void ClearMotion();
};

}  // namespace kelDX8
