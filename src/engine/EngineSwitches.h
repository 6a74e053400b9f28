// The engine-wide raise flags: each decides whether a whole group of checks
// raises (true) or only records its result in the scene (false). Set them at
// start-up, before any engine object exists; they are read on every check.
#pragma once

namespace kelDX8 {

// Render and texture-stage states, Clear, transforms, texture loading and
// creation, input cooperative level/acquire/unacquire/device state, map sizes.
extern bool RaiseOnStateError;  // default false
// Camera argument checks.
extern bool RaiseOnCameraError;  // default false
// More than 65536 vertices with 16-bit indices.
extern bool RaiseOnIndexError;  // default true
// Device and input capabilities, and mesh sizes against the device limits.
extern bool RaiseOnCapsError;  // default false

}  // namespace kelDX8
