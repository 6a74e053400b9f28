// The engine's camera: the custom camera with Pitch and LoadDefaults. Made with
// New<TkelDXCamera>(Scene).
#pragma once

#include "TkelDXCustomCamera.h"

namespace kelDX8 {

class TkelDXCamera : public TkelDXCustomCamera {
public:
    const char* ClassName() const override;

    // Tilts the view about: 0, 1 and 3 the axis Up x view direction, 2 the
    // world x axis (by Up's side). The angle is clamped so that the view stays
    // at least MinAngle away from Up and from its opposite; clamping reports the
    // angle rule (raising only when RaiseOnCameraError, before turning). Up is
    // unchanged.
    void Pitch(BYTE Mode, float Angle) override;
    // Eye (2.5, 2.5, -5) looking at the origin, Up +y, the default projection
    // values, then SaveMatrix. LeftHanded, Orthogonal, ProjectionMode and
    // PositiveWorldAxes keep their values.
    void LoadDefaults() override;

protected:
    TkelDXCamera() = default;
};

}  // namespace kelDX8
