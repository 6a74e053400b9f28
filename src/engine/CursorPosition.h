// Where the mouse reads the screen cursor (TkelDXMouse's CursorPos and
// UseCursor). The program installs the platform's source at start-up, before
// any mouse exists; tests install their own. Main thread only.
#pragma once

#include <functional>

#include "d3d8types.h"

namespace kelDX8 {

// The cursor position in screen pixels.
using CursorPositionSource = std::function<POINT()>;

// An empty source uninstalls it; the cursor then reads (0, 0).
void SetCursorPositionSource(CursorPositionSource Source);
POINT CurrentCursorPosition();

}  // namespace kelDX8
