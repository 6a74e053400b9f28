// An engine object with a 4 x 4 transform, a saved copy of it and a change flag.
//
// Every operation that changes Matrix multiplies on the right (row vectors), so
// a sequence of operations applies in the order of the calls. Derived classes
// override some of them (textures refuse 3D ones, cameras redefine them).
#pragma once

#include "TkelDXCustomObject.h"
#include "Vectors.h"

namespace kelDX8 {

class TkelDXCustomTransform : public TkelDXCustomObject {
public:
    D3DMATRIX SavedMatrix = IdentityMatrix;
    // Set by every change of Matrix; cleared by Create, by the scene's
    // ApplyWorldTransform (its own flag) and by a mesh's Draw (the mesh's flag).
    bool Changed = false;
    D3DMATRIX Matrix = IdentityMatrix;

    const char* ClassName() const override;

    // True when Matrix differs from the identity in any byte.
    virtual bool IsTransformed() const;
    virtual void GetMatrix(D3DMATRIX& M) const;
    virtual void SetMatrix(const D3DMATRIX& M);
    // Matrix := identity, then SaveMatrix, then Changed := true.
    virtual void Reset();
    // SavedMatrix := Matrix; Changed untouched.
    virtual void SaveMatrix();
    virtual void Translate(float X, float Y, float Z);
    // Rotation by Angle (radians) about the axis (AxisX, AxisY, AxisZ).
    virtual void Rotate(float AxisX, float AxisY, float AxisZ, float Angle);
    virtual void RotateX(float Angle);
    virtual void RotateY(float Angle);
    virtual void RotateZ(float Angle);
    virtual void Scale(float X, float Y, float Z);
    // Matrix := SavedMatrix; Changed := true.
    virtual void RestoreMatrix();

protected:
    TkelDXCustomTransform() = default;
    // The object's Create, then Reset (the most derived one), then Changed := false.
    void Create(TkelDXScene* Scene);
    // Changed := true; Matrix := Matrix x M.
    void MultiplyMatrix(const D3DMATRIX& M);
};

}  // namespace kelDX8
