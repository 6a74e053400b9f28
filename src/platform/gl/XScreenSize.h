// The size of the X display's default screen, read without Qt, so that it is
// known before the application is made: all monitors together, which is at
// least the size of any one of them.
#pragma once

#include "PictureTypes.h"

namespace gl {

// In pixels; 0 x 0 when the display of $DISPLAY cannot be opened. Any thread.
lumetta::images::PictureSize XScreenSize();

}  // namespace gl
