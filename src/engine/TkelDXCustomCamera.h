// The eye of the scene: position, target and up vector, the projection, and the
// view and projection matrices sent to the device by Activate.
//
// Matrix is used in its own way: its upper-left 3 x 3 part collects the
// rotations applied to the camera (with negated angles), its fourth column
// (_14, _24, _34, unused by row-vector transforms) the negated translations.
// Activate sends View = T x R x L: the translation, the rotation, then the
// look-at matrix of Position, Target and Up. Edits reach the device only at the
// next Activate. A new camera is already active. Main thread only.
//
// The setters keep the angle between the view direction and Up at or above
// MinAngle; a refusal raises only when RaiseOnCameraError is set and leaves the
// camera unchanged. Movement modes (0 to 3) are described at each operation.
#pragma once

#include "TkelDXCustomActiveTransform.h"
#include "d3d8.h"

namespace kelDX8 {

class TkelDXCustomCamera : public TkelDXCustomActiveTransform {
public:
    D3DVECTOR SavedTarget{};
    D3DVECTOR SavedPosition{};
    D3DVECTOR SavedUp{};
    float FieldOfView = HalfPi;  // vertical, radians
    float Bottom = 0;            // off-centre view volume
    float Left = 0;
    float Right = 0;
    float Top = 0;
    float Height = 10.0f;  // view volume at the near plane
    // Movement mode 2 always uses the positive world axis.
    bool PositiveWorldAxes = true;
    bool LeftHanded = true;
    D3DVECTOR Target{0, 0, 0};
    float NearPlane = 0.1f;
    // Smallest angle between the view direction and Up, radians.
    double MinAngle = 0.087;
    bool Orthogonal = false;
    D3DVECTOR Position{0, 0, -1};
    float Aspect = 1.0f;  // width / height
    D3DVECTOR Up{0, 1, 0};
    float FarPlane = 100.0f;
    // 0 field of view, 1 size, 2 and 3 off-centre; above 3 Activate sends no projection.
    BYTE ProjectionMode = 0;
    float Width = 10.0f;

    ~TkelDXCustomCamera() override;
    const char* ClassName() const override;

    // Position (0, 0, -1), Target the origin, Up +y, then the transform's Reset.
    void Reset() override;
    // Also saves Target, Position and Up.
    void SaveMatrix() override;
    // Collects -X, -Y, -Z in the fourth column of Matrix.
    void Translate(float X, float Y, float Z) override;
    // The rotations turn Matrix by -Angle.
    void Rotate(float AxisX, float AxisY, float AxisZ, float Angle) override;
    void RotateX(float Angle) override;
    void RotateY(float Angle) override;
    void RotateZ(float Angle) override;
    // Refused: cameras do not scale.
    void Scale(float X, float Y, float Z) override;
    // Also restores Target, Position and Up.
    void RestoreMatrix() override;

    bool IsActive() const override;
    // Deactivates the scene's active camera (this one too), becomes it, and
    // sends the view and the projection.
    void Activate() override;
    // Identity view and projection; raises when this camera is not active.
    void Deactivate() override;

    // Target := Position + Dir.
    virtual void SetDirection(const D3DVECTOR& Dir);
    virtual void SetTarget(const D3DVECTOR& Point);
    virtual void SetPosition(const D3DVECTOR& Point);
    virtual void SetUp(const D3DVECTOR& Dir);
    // Moves eye and target along: 0 the view direction kept level (y := 0),
    // 1 the view direction, 2 the world z axis, 3 the view direction kept
    // perpendicular to Up.
    virtual void MoveForward(BYTE Mode, float Distance);
    // Moves eye and target along axis x view direction, the axis being: 0 the
    // world y axis (by Up's side), 1 and 3 Up, 2 the world y axis.
    virtual void MoveSideways(BYTE Mode, float Distance);
    // With KeepDirection the target moves along; else SetPosition.
    virtual void MoveTo(bool KeepDirection, float X, float Y, float Z);
    // Moves eye and target along: 0 the world y axis (by Up's side), 1 the part
    // of Up perpendicular to the view, 2 the world y axis, 3 Up.
    virtual void MoveUp(BYTE Mode, float Distance);
    // Turns eye, target and up about the axis through the centre.
    virtual void Orbit(float CenterX, float CenterY, float CenterZ, float AxisX, float AxisY, float AxisZ,
                       float Angle);
    // Turns the view about: 0 the world y axis (by Up's side), 1 the part of Up
    // perpendicular to the view, 2 the world y axis, 3 Up. Modes 0 to 2 turn Up too.
    virtual void Turn(BYTE Mode, float Angle);
    // Turns Up about: 0 and 1 the view direction, 2 the world z axis, 3 the
    // view direction perpendicular to Up. Modes 2 and 3 turn the view too.
    virtual void Roll(BYTE Mode, float Angle);
    virtual void Pitch(BYTE Mode, float Angle) = 0;
    virtual void LoadDefaults() = 0;

    // Target - Position.
    void GetDirection(D3DVECTOR& Dir) const;
    // Kind 0 FieldOfView, 1 Aspect, 2 Width, 3 Height, 4 Left, 5 Right, 6 Top,
    // 7 Bottom; then ProjectionMode := Kind div 2.
    void SetProjectionParameter(BYTE Kind, float Value);

protected:
    TkelDXCustomCamera() = default;
    // The transform's Create (which runs Reset), the defaults, SaveMatrix, Activate.
    void Create(TkelDXScene* Scene);

    // Raises "No valid argument." for a mode above 3.
    void CheckMode(BYTE Mode);
    // The sign of a world axis in mode 2: -1 only for a negative component
    // when PositiveWorldAxes is false.
    float WorldAxisSign(float Component) const;
    // Reports the angle rule (raises when RaiseOnCameraError).
    void ReportAngle();
    // Target := Position + Dir x M.
    void TurnDirection(const D3DMATRIX& M);

private:
    bool AngleAllowed(const D3DVECTOR& Direction, const D3DVECTOR& UpVector) const;
    void ReportInvalidArgument();
    void MoveBy(const D3DVECTOR& Step);
    // The world y axis, pointing to the side of Up (down only when Up.y < 0).
    D3DVECTOR YAxisOnUpsSide() const;
    void SetProjection(IDirect3DDevice8& Device);
};

}  // namespace kelDX8
