// The map that photos are drawn on: reshaped as a flat rectangle (SetPlane) or
// a torus (SetTorus). Made with the TkelDXMap Create; its sample shape is a
// torus shading from yellow in the first row to orange-red in the last.
#pragma once

#include "TkelDXMap.h"

namespace kelDX8 {

class TkelDXMultiMap : public TkelDXMap {
public:
    const char* ClassName() const override;

    // The parallelogram with B at texture coordinate (0, 0), C at (1, 0) and A
    // at (0, 1); the fourth corner is C + A - B. Writes positions, then normals
    // and texture coordinates; colours and indices stay.
    void SetPlane(const D3DVECTOR& A, const D3DVECTOR& B, const D3DVECTOR& C);
    // A torus about the y axis through Center; the first and last row (and
    // column) coincide, so the texture wraps once around each direction.
    void SetTorus(const D3DVECTOR& Center, float TubeRadius, float RingRadius);
    void BuildDefaultShape() override;

protected:
    TkelDXMultiMap() = default;
};

}  // namespace kelDX8
