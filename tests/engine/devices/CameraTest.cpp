// Cameras: the matrices sent on Activate against hand-computed look-at and
// projection matrices, the special use of Matrix, the angle rule, and the
// movement modes.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "DevicesTestSupport.h"
#include "engine/MatrixExpectations.h"

using namespace kelDX8;
using namespace enginetest;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// zf / (zf - zn) and -zn zf / (zf - zn) for the default planes 0.1 and 100.
constexpr float kDepthScale = 100.0f / 99.9f;
constexpr float kDepthOffset = -10.0f / 99.9f;
const char* const kAngleMessage = "TkelDXCamera: Angle between Camera Direction and Up-Vector would be to small.";

void ExpectVector(const D3DVECTOR& v, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

class CameraTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        camera = New<TkelDXCamera>(scene.get());
    }
    void TearDown() override {
        camera.reset();
        SceneTest::TearDown();
    }
    D3DMATRIX View() { return Device().Transform(D3DTS_VIEW); }
    D3DMATRIX Projection() { return Device().Transform(D3DTS_PROJECTION); }
    D3DVECTOR Direction() {
        D3DVECTOR d;
        camera->GetDirection(d);
        return d;
    }

    std::unique_ptr<TkelDXCamera> camera;
};

}  // namespace

TEST_F(CameraTest, NewCameraIsActiveAndLooksFromMinusZAtTheOrigin) {
    EXPECT_TRUE(camera->IsActive());
    EXPECT_EQ(scene->ActiveCamera, camera.get());
    EXPECT_FALSE(camera->Changed);
    ExpectVector(camera->SavedPosition, 0, 0, -1);
    ExpectMatrixNear(View(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1});
    ExpectMatrixNear(Projection(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, kDepthScale, 1, 0, 0, kDepthOffset, 0});
}

TEST_F(CameraTest, TheSlideshowsCamera) {
    camera->MoveForward(1, -0.25f);
    camera->SetProjectionParameter(1, 1024.0f / 768.0f);
    camera->Activate();
    ExpectVector(camera->Position, 0, 0, -1.25f);
    ExpectVector(camera->Target, 0, 0, -0.25f);
    ExpectMatrixNear(View(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1.25f, 1});
    ExpectMatrixNear(Projection(), {0.75f, 0, 0, 0, 0, 1, 0, 0, 0, 0, kDepthScale, 1, 0, 0, kDepthOffset, 0});
}

TEST_F(CameraTest, ProjectionFollowsModeAndOrthogonal) {
    camera->SetProjectionParameter(3, 4.0f);  // Height: the size projection
    EXPECT_EQ(camera->Height, 4.0f);
    EXPECT_EQ(camera->ProjectionMode, 1);
    camera->Activate();
    ExpectMatrixNear(Projection(), {0.02f, 0, 0, 0, 0, 0.05f, 0, 0, 0, 0, kDepthScale, 1, 0, 0, kDepthOffset, 0});

    camera->Orthogonal = true;
    camera->Activate();
    ExpectMatrixNear(Projection(),
                     {0.2f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 1 / 99.9f, 0, 0, 0, -0.1f / 99.9f, 1});

    camera->SetProjectionParameter(4, -1);  // Left
    camera->SetProjectionParameter(5, 3);   // Right
    camera->SetProjectionParameter(6, 2);   // Top
    camera->SetProjectionParameter(7, -2);  // Bottom
    EXPECT_EQ(camera->ProjectionMode, 3);
    camera->Activate();
    ExpectMatrixNear(Projection(),
                     {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 1 / 99.9f, 0, -0.5f, 0, -0.1f / 99.9f, 1});
    camera->Orthogonal = false;
    camera->Activate();
    ExpectMatrixNear(Projection(),
                     {0.05f, 0, 0, 0, 0, 0.05f, 0, 0, -0.5f, 0, kDepthScale, 1, 0, 0, kDepthOffset, 0});
}

TEST_F(CameraTest, RightHandedMatrices) {
    camera->LeftHanded = false;
    camera->Activate();
    ExpectMatrixNear(View(), {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, -1, 1});
    ExpectMatrixNear(Projection(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -kDepthScale, -1, 0, 0, kDepthOffset, 0});
}

TEST_F(CameraTest, MatrixCollectsNegatedTranslationsAndRotations) {
    camera->Translate(1, 0, 0);
    EXPECT_EQ(camera->Matrix._14, -1.0f);
    EXPECT_TRUE(camera->Changed);
    camera->Activate();
    // The same view as moving eye and target by +1 in x.
    ExpectMatrixNear(View(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, 0, 1, 1});

    camera->Reset();
    camera->RotateY(0.5f);
    const float c = std::cos(0.5f), s = std::sin(0.5f);
    ExpectMatrixNear(camera->Matrix, {c, 0, s, 0, 0, 1, 0, 0, -s, 0, c, 0, 0, 0, 0, 1});
    camera->Translate(0, 2, 0);
    camera->Activate();
    // T x R x L: shifted by (0, -2, 0), turned by -0.5 about y, then seen from (0, 0, -1).
    ExpectMatrixNear(View(), {c, 0, s, 0, 0, 1, 0, 0, -s, 0, c, 0, 0, -2, 1, 1});

    EXPECT_EQ(RaisedHeadline([&] { camera->Scale(2, 2, 2); }),
              "TkelDXCamera: Scaling of cameras and lights is not possible.");
}

TEST_F(CameraTest, SaveAndRestoreKeepTheVectorsWithTheMatrix) {
    camera->SetPosition({1, 2, -3});
    camera->SaveMatrix();
    camera->MoveUp(3, 5);
    camera->RotateZ(1);
    camera->RestoreMatrix();
    ExpectVector(camera->Position, 1, 2, -3);
    ExpectVector(camera->Target, 0, 0, 0);
    ExpectVector(camera->Up, 0, 1, 0);
    EXPECT_TRUE(IsIdentity(camera->Matrix));
}

TEST_F(CameraTest, ActivationHandsTheSceneOver) {
    d3d.ClearLog();
    camera->Activate();  // the active camera deactivates itself first
    const auto log = d3d.LogOf("SetTransform");
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].rfind("SetTransform(2, [1,0,0,0;", 0), 0u);
    EXPECT_EQ(log[2].rfind("SetTransform(2, [1,0,0,0; 0,1,0,0; 0,0,1,0; 0,0,1,1])", 0), 0u) << log[2];

    auto second = New<TkelDXCamera>(scene.get());
    EXPECT_TRUE(second->IsActive());
    EXPECT_FALSE(camera->IsActive());
    second->Deactivate();
    EXPECT_EQ(scene->ActiveCamera, nullptr);
    ExpectMatrixNear(View(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    EXPECT_EQ(RaisedHeadline([&] { second->Deactivate(); }), "TkelDXCamera: Camera is not active, cant be deactivated.");

    second->Activate();
    second.reset();  // freed while active: the scene forgets it
    EXPECT_EQ(scene->ActiveCamera, nullptr);
    camera->Activate();
    EXPECT_TRUE(camera->IsActive());
}

TEST_F(CameraTest, RefusedTransformRaisesUnderTheStateSwitch) {
    d3d.Fail("SetTransform", D3DERR_INVALIDCALL);
    EXPECT_EQ(RaisedHeadline([&] { camera->Activate(); }), "");
    RaiseOnStateError = true;
    EXPECT_EQ(RaisedHeadline([&] { camera->Deactivate(); }), "TkelDXCamera: Cant read/set render state.");
    d3d.ClearFailures();
    // A camera whose Create fails in Activate does not stay the scene's camera.
    d3d.Fail("SetTransform(3,", D3DERR_INVALIDCALL);
    camera.reset();
    EXPECT_EQ(RaisedHeadline([&] { New<TkelDXCamera>(scene.get()); }), "TkelDXCamera: Cant read/set render state.");
    EXPECT_EQ(scene->ActiveCamera, nullptr);
}

TEST_F(CameraTest, SettersKeepTheViewAwayFromUp) {
    camera->SetTarget({0, 5, -1});  // straight above the eye
    ExpectVector(camera->Target, 0, 0, 0);
    EXPECT_EQ(scene->LastError, E_INVALIDARG);
    EXPECT_EQ(scene->LastErrorText.substr(0, scene->LastErrorText.find('\r')), kAngleMessage);

    camera->SetTarget({0, 0, -1});  // the eye itself
    ExpectVector(camera->Target, 0, 0, 0);
    // 0.1 rad from Up passes the rule of 0.087, 0.05 rad does not.
    camera->SetDirection({0, std::cos(0.05f), std::sin(0.05f)});
    ExpectVector(camera->Target, 0, 0, 0);
    camera->SetDirection({0, std::cos(0.1f), std::sin(0.1f)});
    ExpectVector(camera->Target, 0, std::cos(0.1f), -1 + std::sin(0.1f));
    // The rule is about lines: pointing straight away from Up is as close.
    camera->SetDirection({0, -std::cos(0.05f), std::sin(0.05f)});
    ExpectVector(camera->Target, 0, std::cos(0.1f), -1 + std::sin(0.1f));

    camera->SetDirection({0, 0, 1});
    camera->SetUp({0, 0, 2});
    ExpectVector(camera->Up, 0, 1, 0);
    camera->SetUp({1, 0, 0});
    ExpectVector(camera->Up, 1, 0, 0);
    camera->SetPosition({0, 0, 0});  // onto the target
    ExpectVector(camera->Position, 0, 0, -1);

    camera->SetUp({0, 0, 0});
    EXPECT_EQ(scene->LastErrorText.substr(0, scene->LastErrorText.find('\r')), "TkelDXCamera: No valid argument.");
    RaiseOnCameraError = true;
    EXPECT_EQ(RaisedHeadline([&] { camera->SetTarget({0, 5, -1}); }), "");  // Up is +x now
    EXPECT_EQ(RaisedHeadline([&] { camera->SetTarget({5, 0, -1}); }), kAngleMessage);
    EXPECT_EQ(RaisedHeadline([&] { camera->SetDirection({0, 0, 0}); }), "TkelDXCamera: No valid argument.");
}

TEST_F(CameraTest, MoveForwardModes) {
    camera->MoveForward(0, 1);
    ExpectVector(camera->Position, 0, 0, 0);
    ExpectVector(camera->Target, 0, 0, 1);

    camera->SetTarget({0, -1, 1});  // looking down and forward: D = (0, -1, 1)
    camera->MoveForward(0, 1);      // level
    ExpectVector(camera->Position, 0, 0, 1);
    camera->MoveForward(1, std::sqrt(2.0f));  // along the view
    ExpectVector(camera->Position, 0, -1, 2);
    camera->MoveForward(3, 2);  // perpendicular to Up (0, 1, 0): level again
    ExpectVector(camera->Position, 0, -1, 4);

    camera->SetTarget({0, -1, 0});  // now looking towards -z
    camera->MoveForward(2, 1);
    ExpectVector(camera->Position, 0, -1, 5);  // mode 2 takes +z while PositiveWorldAxes
    camera->PositiveWorldAxes = false;
    camera->MoveForward(2, 1);
    ExpectVector(camera->Position, 0, -1, 4);
    ExpectVector(camera->Target, 0, -1, 0);
    EXPECT_EQ(RaisedHeadline([&] { camera->MoveForward(4, 1); }), "TkelDXCamera: No valid argument.");
}

TEST_F(CameraTest, SidewaysAndUpMoves) {
    camera->MoveSideways(0, 2);
    ExpectVector(camera->Position, 2, 0, -1);
    ExpectVector(camera->Target, 2, 0, 0);
    camera->MoveUp(0, 3);
    ExpectVector(camera->Position, 2, 3, -1);

    camera->SetUp({0, -1, 0});  // upside down
    camera->MoveUp(0, 1);
    ExpectVector(camera->Position, 2, 2, -1);
    camera->MoveSideways(0, 1);  // the axis follows Up's side: towards -x now
    ExpectVector(camera->Position, 1, 2, -1);
    camera->MoveUp(2, 1);  // the world axis, positive
    ExpectVector(camera->Position, 1, 3, -1);
    camera->PositiveWorldAxes = false;
    camera->MoveUp(2, 1);
    ExpectVector(camera->Position, 1, 2, -1);

    camera->SetUp({0, 1, 1});  // tilted towards the view
    camera->MoveUp(1, 1);      // only the part of Up across the view
    ExpectVector(camera->Position, 1, 3, -1);
    camera->MoveUp(3, std::sqrt(2.0f));  // along Up itself
    ExpectVector(camera->Position, 1, 4, 0);
    EXPECT_EQ(RaisedHeadline([&] { camera->MoveSideways(9, 1); }), "TkelDXCamera: No valid argument.");
    EXPECT_EQ(RaisedHeadline([&] { camera->MoveUp(4, 1); }), "TkelDXCamera: No valid argument.");
}

TEST_F(CameraTest, StepsOfNoLengthLeaveTheCamera) {
    camera->SetUp({0, 0, 1});  // refused: parallel to the view
    ExpectVector(camera->Up, 0, 1, 0);
    camera->SetUp({1, 0, 0});
    camera->SetTarget({0, 1, -1});  // looking straight up the y axis
    camera->MoveForward(0, 1);      // nothing level to move along
    ExpectVector(camera->Position, 0, 0, -1);
    ExpectVector(camera->Target, 0, 1, -1);
    camera->MoveForward(1, 0);
    ExpectVector(camera->Position, 0, 0, -1);
}

TEST_F(CameraTest, MoveToKeepsOrDropsTheDirection) {
    camera->MoveTo(true, 5, 0, 0);
    ExpectVector(camera->Position, 5, 0, 0);
    ExpectVector(camera->Target, 5, 0, 1);
    camera->MoveTo(false, 5, 0, -3);
    ExpectVector(camera->Position, 5, 0, -3);
    ExpectVector(camera->Target, 5, 0, 1);
    camera->MoveTo(false, 5, 4, 1);  // straight below the target's up line
    ExpectVector(camera->Position, 5, 0, -3);
}

TEST_F(CameraTest, TurnRollAndOrbit) {
    camera->Turn(0, kPi / 2);
    ExpectVector(camera->Target, 1, 0, -1);
    ExpectVector(camera->Up, 0, 1, 0);

    camera->Reset();
    camera->Roll(0, kPi / 2);
    ExpectVector(camera->Up, -1, 0, 0);
    ExpectVector(camera->Target, 0, 0, 0);  // modes 0 and 1 turn only Up
    camera->Roll(2, kPi / 2);  // about +z, the view turns along (it lies on the axis)
    ExpectVector(camera->Up, 0, -1, 0);
    ExpectVector(camera->Target, 0, 0, 0);

    camera->Reset();
    camera->Turn(3, kPi / 2);
    ExpectVector(camera->Target, 1, 0, -1);

    camera->Reset();
    camera->Orbit(0, 0, 0, 0, 1, 0, kPi / 2);
    ExpectVector(camera->Position, -1, 0, 0);
    ExpectVector(camera->Target, 0, 0, 0);
    ExpectVector(camera->Up, 0, 1, 0);
    camera->Orbit(0, 0, 1, 1, 0, 0, kPi);  // about the x line through (0, 0, 1)
    ExpectVector(camera->Position, -1, 0, 2);
    ExpectVector(camera->Target, 0, 0, 2);
    ExpectVector(camera->Up, 0, -1, 0);
    EXPECT_EQ(RaisedHeadline([&] { camera->Turn(4, 1); }), "TkelDXCamera: No valid argument.");
    EXPECT_EQ(RaisedHeadline([&] { camera->Roll(4, 1); }), "TkelDXCamera: No valid argument.");
}

TEST_F(CameraTest, PitchClampsAtTheMinimumAngle) {
    camera->Pitch(1, 0.5f);
    ExpectVector(Direction(), 0, -std::sin(0.5f), std::cos(0.5f));
    EXPECT_NE(scene->LastError, E_INVALIDARG);

    camera->Reset();
    camera->Pitch(1, 2.0f);  // beyond straight down: stops MinAngle short of it
    const float limit = kPi / 2 - 0.087f;
    ExpectVector(Direction(), 0, -std::sin(limit), std::cos(limit));
    EXPECT_EQ(scene->LastError, E_INVALIDARG);
    ExpectVector(camera->Up, 0, 1, 0);

    camera->Reset();
    camera->Pitch(0, -2.0f);  // beyond straight up
    ExpectVector(Direction(), 0, std::sin(limit), std::cos(limit));

    camera->Reset();
    camera->Pitch(2, -2.0f);  // the world x axis, the same clamp
    ExpectVector(Direction(), 0, std::sin(limit), std::cos(limit));

    camera->Reset();
    RaiseOnCameraError = true;
    EXPECT_EQ(RaisedHeadline([&] { camera->Pitch(1, 2.0f); }), kAngleMessage);
    ExpectVector(camera->Target, 0, 0, 0);  // raised before turning
    EXPECT_EQ(RaisedHeadline([&] { camera->Pitch(5, 0.1f); }), "TkelDXCamera: No valid argument.");
}

TEST_F(CameraTest, LoadDefaultsKeepsTheModes) {
    camera->LeftHanded = false;
    camera->Orthogonal = true;
    camera->SetProjectionParameter(2, 3.0f);
    camera->MinAngle = 0.5;
    camera->LoadDefaults();
    ExpectVector(camera->Position, 2.5f, 2.5f, -5);
    ExpectVector(camera->SavedPosition, 2.5f, 2.5f, -5);
    ExpectVector(camera->Target, 0, 0, 0);
    EXPECT_EQ(camera->Width, 10.0f);
    EXPECT_EQ(camera->MinAngle, 0.087);
    EXPECT_FALSE(camera->LeftHanded);
    EXPECT_TRUE(camera->Orthogonal);
    EXPECT_EQ(camera->ProjectionMode, 1);
}
