#include "TkelDXMouse.h"

#include "CursorPosition.h"

namespace kelDX8 {

const char* TkelDXMouse::ClassName() const { return "TkelDXMouse"; }

void TkelDXMouse::Create(TkelDXScene* NewScene) {
    TkelDXCustomInput::Create(NewScene);
    PositionX = PositionY = PositionZ = 0;
    ClearMotion();
    Speed = 1.0f;
    UseCursor = false;
    CursorPos = CurrentCursorPosition();
    Wheel = 0;
    InvertX = InvertY = InvertZ = false;
    OpenDevice(GUID_SysMouse, "Cant create mouse device.", c_dfDIMouse);
}

void TkelDXMouse::ReadFailed() { ClearMotion(); }

void TkelDXMouse::ClearMotion() {
    DeltaX = DeltaY = DeltaZ = 0;
    RawX = RawY = RawZ = 0;
    for (bool& b : Buttons) b = false;
}

bool TkelDXMouse::Poll() {
    if (!ReadState(sizeof State, &State)) return false;
    RawX = State.lX;
    RawY = State.lY;
    RawZ = State.lZ;
    Wheel += State.lZ;
    if (UseCursor) {
        const POINT p = CurrentCursorPosition();
        RawX = p.x - CursorPos.x;
        RawY = p.y - CursorPos.y;
        CursorPos = p;
    }
    // Screen y grows towards the user; DeltaY grows away from the user.
    DeltaX = State.lX * Speed * (InvertX ? -1.0f : 1.0f);
    DeltaY = State.lY * Speed * (InvertY ? 1.0f : -1.0f);
    DeltaZ = State.lZ * Speed * (InvertZ ? -1.0f : 1.0f);
    PositionX += DeltaX;
    PositionY += DeltaY;
    PositionZ += DeltaZ;
    for (int i = 0; i < 4; ++i) Buttons[i] = (State.rgbButtons[i] & 0x80) != 0;
    return true;
}

}  // namespace kelDX8
