#include "EngineSwitches.h"

namespace kelDX8 {

bool RaiseOnStateError = false;
bool RaiseOnCameraError = false;
bool RaiseOnIndexError = true;
bool RaiseOnCapsError = false;

}  // namespace kelDX8
