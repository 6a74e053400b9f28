// The capabilities a GL device reports: the GL's real limits in Direct3D's
// terms, and flags for what this device draws.
#pragma once

#include "d3d8types.h"

class QOpenGLFunctions_2_1;

namespace gl {

// With the device's context current.
D3DCAPS8 QueryDeviceCaps(QOpenGLFunctions_2_1& f);

// Stages the fixed-function program runs (at most 8, at most the GL's texture units).
int TextureStagesOf(const D3DCAPS8& caps);

}  // namespace gl
