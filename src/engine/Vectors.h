// Vector and matrix helpers shared by the whole engine. Vectors are three
// 32-bit floats; matrices use row vectors (p' = p x M).
#pragma once

#include <cmath>

#include "d3d8types.h"

namespace kelDX8 {

constexpr float TwoPi = 6.2831855f;
constexpr float HalfPi = 1.5707964f;

inline void ZeroVector(D3DVECTOR& V) { V = {0, 0, 0}; }

inline D3DVECTOR& MakeVector(D3DVECTOR& V, float X, float Y, float Z) {
    V = {X, Y, Z};
    return V;
}

inline bool VectorsEqual(const D3DVECTOR& A, const D3DVECTOR& B) { return A.x == B.x && A.y == B.y && A.z == B.z; }

inline float VectorLengthSq(const D3DVECTOR& V) { return V.x * V.x + V.y * V.y + V.z * V.z; }
inline float VectorLength(const D3DVECTOR& V) { return std::sqrt(VectorLengthSq(V)); }
inline float VectorDot(const D3DVECTOR& A, const D3DVECTOR& B) { return A.x * B.x + A.y * B.y + A.z * B.z; }

// R may be A or B.
inline void VectorCross(D3DVECTOR& R, const D3DVECTOR& A, const D3DVECTOR& B) {
    R = {A.y * B.z - A.z * B.y, A.z * B.x - A.x * B.z, A.x * B.y - A.y * B.x};
}

inline D3DVECTOR& VectorAdd(D3DVECTOR& R, const D3DVECTOR& A, const D3DVECTOR& B) {
    R = {A.x + B.x, A.y + B.y, A.z + B.z};
    return R;
}

inline D3DVECTOR& VectorSubtract(D3DVECTOR& R, const D3DVECTOR& A, const D3DVECTOR& B) {
    R = {A.x - B.x, A.y - B.y, A.z - B.z};
    return R;
}

inline void VectorScale(D3DVECTOR& R, const D3DVECTOR& A, float S) { R = {A.x * S, A.y * S, A.z * S}; }

// The angle between A and B in [0, pi]; a zero vector gives pi/2.
float VectorAngle(const D3DVECTOR& A, const D3DVECTOR& B);
// The angle between the lines along A and B, in [0, pi/2].
float LineAngle(const D3DVECTOR& A, const D3DVECTOR& B);

extern const D3DMATRIX IdentityMatrix;

void LoadIdentity(D3DMATRIX& M);
// Byte-for-byte comparison: -0.0 is not 0.0 here.
bool IsIdentity(const D3DMATRIX& M);

}  // namespace kelDX8
