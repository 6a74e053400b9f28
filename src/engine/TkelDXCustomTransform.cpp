#include "TkelDXCustomTransform.h"

#include "d3dx8.h"

namespace kelDX8 {

const char* TkelDXCustomTransform::ClassName() const { return "TkelDXCustomTransform"; }

void TkelDXCustomTransform::Create(TkelDXScene* NewScene) {
    TkelDXCustomObject::Create(NewScene);
    Reset();
    Changed = false;
}

bool TkelDXCustomTransform::IsTransformed() const { return !IsIdentity(Matrix); }

void TkelDXCustomTransform::GetMatrix(D3DMATRIX& M) const { M = Matrix; }

void TkelDXCustomTransform::SetMatrix(const D3DMATRIX& M) {
    Changed = true;
    Matrix = M;
}

void TkelDXCustomTransform::Reset() {
    LoadIdentity(Matrix);
    SaveMatrix();
    Changed = true;
}

void TkelDXCustomTransform::SaveMatrix() { SavedMatrix = Matrix; }

void TkelDXCustomTransform::MultiplyMatrix(const D3DMATRIX& M) {
    Changed = true;
    D3DXMatrixMultiply(&Matrix, &Matrix, &M);
}

void TkelDXCustomTransform::Translate(float X, float Y, float Z) {
    D3DXMATRIX m;
    MultiplyMatrix(*D3DXMatrixTranslation(&m, X, Y, Z));
}

void TkelDXCustomTransform::Rotate(float AxisX, float AxisY, float AxisZ, float Angle) {
    D3DXMATRIX m;
    D3DXVECTOR3 axis{AxisX, AxisY, AxisZ};
    MultiplyMatrix(*D3DXMatrixRotationAxis(&m, &axis, Angle));
}

void TkelDXCustomTransform::RotateX(float Angle) {
    D3DXMATRIX m;
    MultiplyMatrix(*D3DXMatrixRotationX(&m, Angle));
}

void TkelDXCustomTransform::RotateY(float Angle) {
    D3DXMATRIX m;
    MultiplyMatrix(*D3DXMatrixRotationY(&m, Angle));
}

void TkelDXCustomTransform::RotateZ(float Angle) {
    D3DXMATRIX m;
    MultiplyMatrix(*D3DXMatrixRotationZ(&m, Angle));
}

void TkelDXCustomTransform::Scale(float X, float Y, float Z) {
    D3DXMATRIX m;
    MultiplyMatrix(*D3DXMatrixScaling(&m, X, Y, Z));
}

void TkelDXCustomTransform::RestoreMatrix() {
    Matrix = SavedMatrix;
    Changed = true;
}

}  // namespace kelDX8
