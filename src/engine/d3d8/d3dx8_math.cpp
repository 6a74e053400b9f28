// D3DX's matrix builders and vector helpers: row vectors (p' = p x M), 32-bit
// float arithmetic throughout, so results match the original bit for bit as
// far as the C library's sinf/cosf/tanf/sqrtf allow.
#include <cmath>

#include "d3dx8.h"

namespace {

D3DXMATRIX MatrixOf(float m11, float m12, float m13, float m14, float m21, float m22, float m23, float m24,
                    float m31, float m32, float m33, float m34, float m41, float m42, float m43, float m44) {
    D3DXMATRIX m;
    m._11 = m11, m._12 = m12, m._13 = m13, m._14 = m14;
    m._21 = m21, m._22 = m22, m._23 = m23, m._24 = m24;
    m._31 = m31, m._32 = m32, m._33 = m33, m._34 = m34;
    m._41 = m41, m._42 = m42, m._43 = m43, m._44 = m44;
    return m;
}

D3DXMATRIX* Store(D3DXMATRIX* pOut, const D3DXMATRIX& m) {
    *pOut = m;
    return pOut;
}

D3DXVECTOR3 Subtract(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

D3DXVECTOR3 Normalized(const D3DXVECTOR3& v) {
    D3DXVECTOR3 out;
    D3DXVec3Normalize(&out, &v);
    return out;
}

// The view matrix of both look-at builders, given the eye and the unit z axis.
D3DXMATRIX* LookAlong(D3DXMATRIX* pOut, const D3DXVECTOR3& eye, const D3DXVECTOR3& zAxis, const D3DXVECTOR3& up) {
    D3DXVECTOR3 xAxis = Normalized(Cross(up, zAxis));
    D3DXVECTOR3 yAxis = Cross(zAxis, xAxis);
    return Store(pOut, MatrixOf(xAxis.x, yAxis.x, zAxis.x, 0,  //
                                xAxis.y, yAxis.y, zAxis.y, 0,  //
                                xAxis.z, yAxis.z, zAxis.z, 0,  //
                                -Dot(xAxis, eye), -Dot(yAxis, eye), -Dot(zAxis, eye), 1));
}

}  // namespace

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* pOut) {
    return Store(pOut, MatrixOf(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1, const D3DXMATRIX* pM2) {
    D3DXMATRIX r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = pM1->m[i][0] * pM2->m[0][j] + pM1->m[i][1] * pM2->m[1][j] + pM1->m[i][2] * pM2->m[2][j] +
                        pM1->m[i][3] * pM2->m[3][j];
    return Store(pOut, r);
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* pOut, float x, float y, float z) {
    return Store(pOut, MatrixOf(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1));
}

D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* pOut, float Angle) {
    float s = std::sin(Angle), c = std::cos(Angle);
    return Store(pOut, MatrixOf(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1));
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* pOut, float Angle) {
    float s = std::sin(Angle), c = std::cos(Angle);
    return Store(pOut, MatrixOf(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1));
}

D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* pOut, float Angle) {
    float s = std::sin(Angle), c = std::cos(Angle);
    return Store(pOut, MatrixOf(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
}

D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* pOut, const D3DXVECTOR3* pV, float Angle) {
    D3DXVECTOR3 v = Normalized(*pV);
    float s = std::sin(Angle), c = std::cos(Angle), t = 1.0f - c;
    return Store(pOut, MatrixOf(t * v.x * v.x + c, t * v.x * v.y + s * v.z, t * v.x * v.z - s * v.y, 0,  //
                                t * v.x * v.y - s * v.z, t * v.y * v.y + c, t * v.y * v.z + s * v.x, 0,  //
                                t * v.x * v.z + s * v.y, t * v.y * v.z - s * v.x, t * v.z * v.z + c, 0,  //
                                0, 0, 0, 1));
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* pOut, float sx, float sy, float sz) {
    return Store(pOut, MatrixOf(sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, sz, 0, 0, 0, 0, 1));
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* pOut, const D3DXVECTOR3* pEye, const D3DXVECTOR3* pAt,
                               const D3DXVECTOR3* pUp) {
    return LookAlong(pOut, *pEye, Normalized(Subtract(*pAt, *pEye)), *pUp);
}

D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* pOut, const D3DXVECTOR3* pEye, const D3DXVECTOR3* pAt,
                               const D3DXVECTOR3* pUp) {
    return LookAlong(pOut, *pEye, Normalized(Subtract(*pEye, *pAt)), *pUp);
}

D3DXMATRIX* D3DXMatrixPerspectiveLH(D3DXMATRIX* pOut, float w, float h, float zn, float zf) {
    return Store(pOut, MatrixOf(2 * zn / w, 0, 0, 0, 0, 2 * zn / h, 0, 0, 0, 0, zf / (zf - zn), 1, 0, 0,
                                zn * zf / (zn - zf), 0));
}

D3DXMATRIX* D3DXMatrixPerspectiveRH(D3DXMATRIX* pOut, float w, float h, float zn, float zf) {
    return Store(pOut, MatrixOf(2 * zn / w, 0, 0, 0, 0, 2 * zn / h, 0, 0, 0, 0, zf / (zn - zf), -1, 0, 0,
                                zn * zf / (zn - zf), 0));
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, float fovy, float Aspect, float zn, float zf) {
    float yScale = 1.0f / std::tan(fovy / 2), xScale = yScale / Aspect;
    return Store(pOut, MatrixOf(xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, zf / (zf - zn), 1, 0, 0,
                                -zn * zf / (zf - zn), 0));
}

D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* pOut, float fovy, float Aspect, float zn, float zf) {
    float yScale = 1.0f / std::tan(fovy / 2), xScale = yScale / Aspect;
    return Store(pOut, MatrixOf(xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, zf / (zn - zf), -1, 0, 0,
                                zn * zf / (zn - zf), 0));
}

D3DXMATRIX* D3DXMatrixPerspectiveOffCenterLH(D3DXMATRIX* pOut, float l, float r, float b, float t, float zn,
                                             float zf) {
    return Store(pOut, MatrixOf(2 * zn / (r - l), 0, 0, 0,  //
                                0, 2 * zn / (t - b), 0, 0,  //
                                (l + r) / (l - r), (t + b) / (b - t), zf / (zf - zn), 1,  //
                                0, 0, zn * zf / (zn - zf), 0));
}

D3DXMATRIX* D3DXMatrixPerspectiveOffCenterRH(D3DXMATRIX* pOut, float l, float r, float b, float t, float zn,
                                             float zf) {
    return Store(pOut, MatrixOf(2 * zn / (r - l), 0, 0, 0,  //
                                0, 2 * zn / (t - b), 0, 0,  //
                                (l + r) / (r - l), (t + b) / (t - b), zf / (zn - zf), -1,  //
                                0, 0, zn * zf / (zn - zf), 0));
}

D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* pOut, float w, float h, float zn, float zf) {
    return Store(pOut, MatrixOf(2 / w, 0, 0, 0, 0, 2 / h, 0, 0, 0, 0, 1 / (zf - zn), 0, 0, 0, zn / (zn - zf), 1));
}

D3DXMATRIX* D3DXMatrixOrthoRH(D3DXMATRIX* pOut, float w, float h, float zn, float zf) {
    return Store(pOut, MatrixOf(2 / w, 0, 0, 0, 0, 2 / h, 0, 0, 0, 0, 1 / (zn - zf), 0, 0, 0, zn / (zn - zf), 1));
}

D3DXMATRIX* D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* pOut, float l, float r, float b, float t, float zn, float zf) {
    return Store(pOut, MatrixOf(2 / (r - l), 0, 0, 0,  //
                                0, 2 / (t - b), 0, 0,  //
                                0, 0, 1 / (zf - zn), 0,  //
                                (l + r) / (l - r), (t + b) / (b - t), zn / (zn - zf), 1));
}

D3DXMATRIX* D3DXMatrixOrthoOffCenterRH(D3DXMATRIX* pOut, float l, float r, float b, float t, float zn, float zf) {
    return Store(pOut, MatrixOf(2 / (r - l), 0, 0, 0,  //
                                0, 2 / (t - b), 0, 0,  //
                                0, 0, 1 / (zn - zf), 0,  //
                                (l + r) / (l - r), (t + b) / (b - t), zn / (zn - zf), 1));
}

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV) {
    float length = std::sqrt(pV->x * pV->x + pV->y * pV->y + pV->z * pV->z);
    if (length == 0.0f) {
        *pOut = {0, 0, 0};
    } else {
        *pOut = {pV->x / length, pV->y / length, pV->z / length};
    }
    return pOut;
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DXMATRIX* pM) {
    const D3DXVECTOR3 v = *pV;
    float x = v.x * pM->_11 + v.y * pM->_21 + v.z * pM->_31 + pM->_41;
    float y = v.x * pM->_12 + v.y * pM->_22 + v.z * pM->_32 + pM->_42;
    float z = v.x * pM->_13 + v.y * pM->_23 + v.z * pM->_33 + pM->_43;
    float w = v.x * pM->_14 + v.y * pM->_24 + v.z * pM->_34 + pM->_44;
    *pOut = {x / w, y / w, z / w};
    return pOut;
}
