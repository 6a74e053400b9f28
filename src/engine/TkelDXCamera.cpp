#include "TkelDXCamera.h"

#include <numbers>

#include "CameraVectors.h"

namespace kelDX8 {

using namespace camera;

const char* TkelDXCamera::ClassName() const { return "TkelDXCamera"; }

void TkelDXCamera::Pitch(BYTE Mode, float Angle) {
    CheckMode(Mode);
    D3DVECTOR view, axis, d, u;
    GetDirection(view);
    if (Mode == 2) {
        axis = {WorldAxisSign(Up.y), 0, 0};
        d = {0, view.y, view.z};
        u = {0, Up.y, Up.z};
        const bool noD = VectorsEqual(d, {0, 0, 0}), noU = VectorsEqual(u, {0, 0, 0});
        if (noD && noU) {
            d = {1, 0, 0};
            u = {-1, 0, 0};
        } else if (noD) {
            d = {-Up.x, 0, 0};
        } else if (noU) {
            u = {-view.x, 0, 0};
        }
    } else {
        VectorCross(axis, Up, view);
        d = view;
        u = Up;
    }
    const double between = VectorAngle(d, u);
    double angle = Angle;
    if (angle > 0) {
        if (angle + between + MinAngle > std::numbers::pi) {
            angle = std::numbers::pi - between - MinAngle;
            ReportAngle();
        }
    } else if (angle + between < MinAngle) {
        angle = MinAngle - between;
        ReportAngle();
    }
    D3DMATRIX m;
    if (RotationAbout(axis, static_cast<float>(angle), m)) TurnDirection(m);
}

void TkelDXCamera::LoadDefaults() {
    Position = {2.5f, 2.5f, -5.0f};
    Target = {0, 0, 0};
    Up = {0, 1, 0};
    MinAngle = 0.087;
    Left = Right = Bottom = Top = 0;
    Height = Width = 10.0f;
    FieldOfView = HalfPi;
    Aspect = 1.0f;
    NearPlane = 0.1f;
    FarPlane = 100.0f;
    Changed = true;
    SaveMatrix();
}

}  // namespace kelDX8
