// Vector steps that the camera's movements share.
#pragma once

#include "Vectors.h"
#include "d3dx8.h"

namespace kelDX8::camera {

// V scaled to Length; false (and Out untouched) when V has no length to scale.
inline bool ScaledTo(const D3DVECTOR& V, float Length, D3DVECTOR& Out) {
    const float length = VectorLength(V);
    if (length == 0.0f) return false;
    VectorScale(Out, V, Length / length);
    return true;
}

// A minus its projection on B: the part of A perpendicular to B.
inline D3DVECTOR PerpendicularPart(const D3DVECTOR& A, const D3DVECTOR& B) {
    const float lengthSq = VectorLengthSq(B);
    if (lengthSq == 0.0f) return A;
    D3DVECTOR along, result;
    VectorScale(along, B, VectorDot(A, B) / lengthSq);
    return VectorSubtract(result, A, along);
}

inline D3DVECTOR Transformed(const D3DVECTOR& V, const D3DMATRIX& M) {
    D3DVECTOR result;
    D3DXVec3TransformCoord(&result, &V, &M);
    return result;
}

// The rotation about Axis; false for an axis of no length.
inline bool RotationAbout(const D3DVECTOR& Axis, float Angle, D3DMATRIX& M) {
    if (VectorLengthSq(Axis) == 0.0f) return false;
    D3DXMatrixRotationAxis(&M, &Axis, Angle);
    return true;
}

}  // namespace kelDX8::camera
