#include "TkelDXCustomCamera.h"

#include "CameraVectors.h"
#include "EngineSwitches.h"
#include "TkelDXScene.h"
#include "d3dx8.h"

namespace kelDX8 {

using namespace camera;

namespace {
const char* const kCantSetState = "Cant read/set render state.";
}  // namespace

const char* TkelDXCustomCamera::ClassName() const { return "TkelDXCustomCamera"; }

void TkelDXCustomCamera::Create(TkelDXScene* NewScene) {
    TkelDXCustomActiveTransform::Create(NewScene);
    LeftHanded = true;
    Left = Right = Bottom = Top = 0;
    Height = Width = 10.0f;
    MinAngle = 0.087;
    PositiveWorldAxes = true;
    FieldOfView = HalfPi;
    Aspect = 1.0f;
    NearPlane = 0.1f;
    FarPlane = 100.0f;
    Orthogonal = false;
    ProjectionMode = 0;
    SaveMatrix();
    Activate();
}

// A camera freed while active (or whose Create failed in Activate) must not stay
// the scene's camera: the next Activate would deactivate a freed object.
TkelDXCustomCamera::~TkelDXCustomCamera() {
    if (Scene && Scene->ActiveCamera == this) Scene->ActiveCamera = nullptr;
}

void TkelDXCustomCamera::Reset() {
    Position = {0, 0, -1};
    Target = {0, 0, 0};
    Up = {0, 1, 0};
    TkelDXCustomActiveTransform::Reset();
}

void TkelDXCustomCamera::SaveMatrix() {
    TkelDXCustomActiveTransform::SaveMatrix();
    SavedTarget = Target;
    SavedPosition = Position;
    SavedUp = Up;
}

void TkelDXCustomCamera::RestoreMatrix() {
    TkelDXCustomActiveTransform::RestoreMatrix();
    Target = SavedTarget;
    Position = SavedPosition;
    Up = SavedUp;
}

void TkelDXCustomCamera::Translate(float X, float Y, float Z) {
    Changed = true;
    Matrix._14 -= X;
    Matrix._24 -= Y;
    Matrix._34 -= Z;
}

void TkelDXCustomCamera::Rotate(float AxisX, float AxisY, float AxisZ, float Angle) {
    TkelDXCustomActiveTransform::Rotate(AxisX, AxisY, AxisZ, -Angle);
}
void TkelDXCustomCamera::RotateX(float Angle) { TkelDXCustomActiveTransform::RotateX(-Angle); }
void TkelDXCustomCamera::RotateY(float Angle) { TkelDXCustomActiveTransform::RotateY(-Angle); }
void TkelDXCustomCamera::RotateZ(float Angle) { TkelDXCustomActiveTransform::RotateZ(-Angle); }

void TkelDXCustomCamera::Scale(float, float, float) {
    CheckResult(D3DERR_INVALIDCALL, "Scaling of cameras and lights is not possible.", DescribeD3DResult, true);
}

bool TkelDXCustomCamera::IsActive() const { return Scene->ActiveCamera == this; }

void TkelDXCustomCamera::Activate() {
    if (Scene->ActiveCamera) Scene->ActiveCamera->Deactivate();
    Scene->ActiveCamera = this;

    D3DXMATRIX rotation = Matrix, translation, lookAt, view;
    rotation._14 = rotation._24 = rotation._34 = 0;
    D3DXMatrixTranslation(&translation, Matrix._14, Matrix._24, Matrix._34);
    if (LeftHanded)
        D3DXMatrixLookAtLH(&lookAt, &Position, &Target, &Up);
    else
        D3DXMatrixLookAtRH(&lookAt, &Position, &Target, &Up);
    D3DXMatrixMultiply(&view, &translation, &rotation);
    D3DXMatrixMultiply(&view, &view, &lookAt);

    IDirect3DDevice8& device = *Scene->Device.get();
    CheckResult(device.SetTransform(D3DTS_VIEW, &view), kCantSetState, DescribeD3DResult, RaiseOnStateError);
    SetProjection(device);
}

void TkelDXCustomCamera::SetProjection(IDirect3DDevice8& Device) {
    if (ProjectionMode > 3) return;
    const bool offCentre = ProjectionMode >= 2;
    D3DXMATRIX p;
    if (Orthogonal && offCentre)
        (LeftHanded ? D3DXMatrixOrthoOffCenterLH : D3DXMatrixOrthoOffCenterRH)(&p, Left, Right, Bottom, Top,
                                                                               NearPlane, FarPlane);
    else if (Orthogonal)
        (LeftHanded ? D3DXMatrixOrthoLH : D3DXMatrixOrthoRH)(&p, Width, Height, NearPlane, FarPlane);
    else if (offCentre)
        (LeftHanded ? D3DXMatrixPerspectiveOffCenterLH : D3DXMatrixPerspectiveOffCenterRH)(
            &p, Left, Right, Bottom, Top, NearPlane, FarPlane);
    else if (ProjectionMode == 1)
        (LeftHanded ? D3DXMatrixPerspectiveLH : D3DXMatrixPerspectiveRH)(&p, Width, Height, NearPlane, FarPlane);
    else
        (LeftHanded ? D3DXMatrixPerspectiveFovLH : D3DXMatrixPerspectiveFovRH)(&p, FieldOfView, Aspect, NearPlane,
                                                                                FarPlane);
    CheckResult(Device.SetTransform(D3DTS_PROJECTION, &p), kCantSetState, DescribeD3DResult, RaiseOnStateError);
}

void TkelDXCustomCamera::Deactivate() {
    if (!IsActive())
        CheckResult(D3DERR_INVALIDCALL, "Camera is not active, cant be deactivated.", DescribeD3DResult, true);
    IDirect3DDevice8& device = *Scene->Device.get();
    CheckResult(device.SetTransform(D3DTS_VIEW, &IdentityMatrix), kCantSetState, DescribeD3DResult,
                RaiseOnStateError);
    CheckResult(device.SetTransform(D3DTS_PROJECTION, &IdentityMatrix), kCantSetState, DescribeD3DResult,
                RaiseOnStateError);
    Scene->ActiveCamera = nullptr;
}

void TkelDXCustomCamera::GetDirection(D3DVECTOR& Dir) const { VectorSubtract(Dir, Target, Position); }

void TkelDXCustomCamera::SetProjectionParameter(BYTE Kind, float Value) {
    float* const fields[] = {&FieldOfView, &Aspect, &Width, &Height, &Left, &Right, &Top, &Bottom};
    if (Kind < 8) *fields[Kind] = Value;
    ProjectionMode = Kind / 2;
    Changed = true;
}

// ---- the angle rule -----------------------------------------------------------

bool TkelDXCustomCamera::AngleAllowed(const D3DVECTOR& Direction, const D3DVECTOR& UpVector) const {
    return LineAngle(Direction, UpVector) >= MinAngle;
}

void TkelDXCustomCamera::ReportAngle() {
    CheckResult(E_INVALIDARG, "Angle between Camera Direction and Up-Vector would be to small.", DescribeD3DResult,
                RaiseOnCameraError);
}

void TkelDXCustomCamera::ReportInvalidArgument() {
    CheckResult(E_INVALIDARG, "No valid argument.", DescribeD3DResult, RaiseOnCameraError);
}

void TkelDXCustomCamera::SetDirection(const D3DVECTOR& Dir) {
    if (VectorsEqual(Dir, {0, 0, 0})) return ReportInvalidArgument();
    if (!AngleAllowed(Dir, Up)) return ReportAngle();
    VectorAdd(Target, Position, Dir);
    Changed = true;
}

void TkelDXCustomCamera::SetTarget(const D3DVECTOR& Point) {
    D3DVECTOR dir;
    if (VectorsEqual(Point, Position) || !AngleAllowed(VectorSubtract(dir, Point, Position), Up)) return ReportAngle();
    Target = Point;
    Changed = true;
}

void TkelDXCustomCamera::SetPosition(const D3DVECTOR& Point) {
    D3DVECTOR dir;
    if (VectorsEqual(Point, Target) || !AngleAllowed(VectorSubtract(dir, Target, Point), Up)) return ReportAngle();
    Position = Point;
    Changed = true;
}

void TkelDXCustomCamera::SetUp(const D3DVECTOR& Dir) {
    if (VectorsEqual(Dir, {0, 0, 0})) return ReportInvalidArgument();
    D3DVECTOR view;
    GetDirection(view);
    if (!AngleAllowed(view, Dir)) return ReportAngle();
    Up = Dir;
    Changed = true;
}

// ---- movements ------------------------------------------------------------------

void TkelDXCustomCamera::CheckMode(BYTE Mode) {
    if (Mode > 3) CheckResult(E_INVALIDARG, "No valid argument.", DescribeD3DResult, true);
}

float TkelDXCustomCamera::WorldAxisSign(float Component) const {
    return (Component < 0 && !PositiveWorldAxes) ? -1.0f : 1.0f;
}

D3DVECTOR TkelDXCustomCamera::YAxisOnUpsSide() const { return {0, Up.y < 0 ? -1.0f : 1.0f, 0}; }

void TkelDXCustomCamera::MoveBy(const D3DVECTOR& Step) {
    VectorAdd(Position, Position, Step);
    VectorAdd(Target, Target, Step);
    Changed = true;
}

void TkelDXCustomCamera::TurnDirection(const D3DMATRIX& M) {
    D3DVECTOR view;
    GetDirection(view);
    VectorAdd(Target, Position, Transformed(view, M));
    Changed = true;
}

// A step or an axis of no length (looking straight along the axis a mode
// removes) leaves the camera as it is instead of filling it with NaNs.
void TkelDXCustomCamera::MoveForward(BYTE Mode, float Distance) {
    CheckMode(Mode);
    D3DVECTOR view, d;
    GetDirection(view);
    switch (Mode) {
        case 0: d = {view.x, 0, view.z}; break;
        case 1: d = view; break;
        case 2: d = {0, 0, WorldAxisSign(view.z)}; break;
        default: d = PerpendicularPart(view, Up); break;
    }
    if (ScaledTo(d, Distance, d)) MoveBy(d);
}

void TkelDXCustomCamera::MoveSideways(BYTE Mode, float Distance) {
    CheckMode(Mode);
    D3DVECTOR view, axis, step;
    GetDirection(view);
    switch (Mode) {
        case 0: axis = YAxisOnUpsSide(); break;
        case 2: axis = {0, WorldAxisSign(Up.y), 0}; break;
        default: axis = Up; break;
    }
    VectorCross(step, axis, view);
    if (ScaledTo(step, Distance, step)) MoveBy(step);
}

void TkelDXCustomCamera::MoveUp(BYTE Mode, float Distance) {
    CheckMode(Mode);
    D3DVECTOR view, step;
    GetDirection(view);
    switch (Mode) {
        case 0: step = {0, Up.y < 0 ? -Distance : Distance, 0}; break;
        case 1:
            if (!ScaledTo(PerpendicularPart(Up, view), Distance, step)) return;
            break;
        case 2: step = {0, WorldAxisSign(Up.y) * Distance, 0}; break;
        default:
            if (!ScaledTo(Up, Distance, step)) return;
            break;
    }
    MoveBy(step);
}

void TkelDXCustomCamera::MoveTo(bool KeepDirection, float X, float Y, float Z) {
    if (!KeepDirection) return SetPosition({X, Y, Z});
    D3DVECTOR view;
    GetDirection(view);
    Position = {X, Y, Z};
    VectorAdd(Target, Position, view);
    Changed = true;
}

void TkelDXCustomCamera::Orbit(float CenterX, float CenterY, float CenterZ, float AxisX, float AxisY, float AxisZ,
                               float Angle) {
    D3DMATRIX m;
    if (!RotationAbout({AxisX, AxisY, AxisZ}, Angle, m)) return;
    const D3DVECTOR centre{CenterX, CenterY, CenterZ};
    D3DVECTOR position, target, tip;
    VectorSubtract(position, Position, centre);
    VectorSubtract(target, Target, centre);
    VectorAdd(tip, position, Up);
    position = Transformed(position, m);
    target = Transformed(target, m);
    tip = Transformed(tip, m);
    VectorSubtract(Up, tip, position);
    VectorAdd(Position, position, centre);
    VectorAdd(Target, target, centre);
    Changed = true;
}

void TkelDXCustomCamera::Turn(BYTE Mode, float Angle) {
    CheckMode(Mode);
    D3DVECTOR view, axis;
    GetDirection(view);
    switch (Mode) {
        case 0: axis = YAxisOnUpsSide(); break;
        case 1: axis = PerpendicularPart(Up, view); break;
        case 2: axis = {0, WorldAxisSign(Up.y), 0}; break;
        default: axis = Up; break;
    }
    D3DMATRIX m;
    if (!RotationAbout(axis, Angle, m)) return;
    TurnDirection(m);
    if (Mode <= 2) Up = Transformed(Up, m);
}

void TkelDXCustomCamera::Roll(BYTE Mode, float Angle) {
    CheckMode(Mode);
    D3DVECTOR view, axis;
    GetDirection(view);
    switch (Mode) {
        case 0:
        case 1: axis = view; break;
        case 2: axis = {0, 0, WorldAxisSign(Up.z)}; break;
        default: axis = PerpendicularPart(view, Up); break;
    }
    D3DMATRIX m;
    if (!RotationAbout(axis, Angle, m)) return;
    Up = Transformed(Up, m);
    Changed = true;
    if (Mode >= 2) TurnDirection(m);
}

}  // namespace kelDX8
