#include "Vectors.h"

#include <cstring>
#include <numbers>

#include "d3dx8.h"

namespace kelDX8 {

const D3DMATRIX IdentityMatrix = [] {
    D3DMATRIX m;
    D3DXMatrixIdentity(&m);
    return m;
}();

float VectorAngle(const D3DVECTOR& A, const D3DVECTOR& B) {
    D3DXVECTOR3 a, b;
    D3DXVec3Normalize(&a, &A);
    D3DXVec3Normalize(&b, &B);
    double d = VectorDot(a, b);
    if (std::fabs(d) > 1) d = d > 0 ? 1 : -1;
    return static_cast<float>(std::atan2(std::sqrt(1 - d * d), d));
}

float LineAngle(const D3DVECTOR& A, const D3DVECTOR& B) {
    float a = VectorAngle(A, B);
    if (a > HalfPi) return static_cast<float>(std::numbers::pi - a);
    return a;
}

void LoadIdentity(D3DMATRIX& M) { M = IdentityMatrix; }

bool IsIdentity(const D3DMATRIX& M) { return std::memcmp(&M, &IdentityMatrix, sizeof(D3DMATRIX)) == 0; }

}  // namespace kelDX8
