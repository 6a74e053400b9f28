#include <numbers>

#include "EngineTestSupport.h"
#include "MatrixExpectations.h"

using namespace kelDX8;
using enginetest::ExpectMatrixNear;

namespace {

class TkelDXPlainTransform : public TkelDXCustomTransform {};

// Overrides Reset the way a camera does, to see that Create reaches it.
class TkelDXResettingTransform : public TkelDXCustomTransform {
public:
    int Resets = 0;
    bool ChangedAfterReset = false;
    void Reset() override {
        ++Resets;
        TkelDXCustomTransform::Reset();
        ChangedAfterReset = Changed;
    }
};

class TransformTest : public enginetest::EngineTest {
protected:
    void SetUp() override { scene = MakeWindowedScene(); }
    std::unique_ptr<TkelDXScene> scene;
};

}  // namespace

TEST_F(TransformTest, ANewTransformIsIdentityAndUnchanged) {
    auto t = New<TkelDXPlainTransform>(scene.get());
    EXPECT_TRUE(IsIdentity(t->Matrix));
    EXPECT_TRUE(IsIdentity(t->SavedMatrix));
    EXPECT_FALSE(t->Changed);
    EXPECT_FALSE(t->IsTransformed());
    EXPECT_EQ(t->Scene, scene.get());
    EXPECT_EQ(scene->Scene, scene.get());
}

TEST_F(TransformTest, CreateRunsTheMostDerivedResetThenClearsChanged) {
    auto t = New<TkelDXResettingTransform>(scene.get());
    EXPECT_EQ(t->Resets, 1);
    EXPECT_TRUE(t->ChangedAfterReset);
    EXPECT_FALSE(t->Changed);
}

TEST_F(TransformTest, ANullTranslationChangesNothingButIsMarked) {
    auto t = New<TkelDXPlainTransform>(scene.get());
    t->Translate(0, 0, 0);
    EXPECT_FALSE(t->IsTransformed());
    EXPECT_TRUE(t->Changed);
}

TEST_F(TransformTest, RestoreGivesBackTheSavedMatrix) {
    auto t = New<TkelDXPlainTransform>(scene.get());
    t->SaveMatrix();
    t->RotateZ(1.0f);
    EXPECT_TRUE(t->IsTransformed());
    t->Changed = false;
    t->RestoreMatrix();
    EXPECT_TRUE(IsIdentity(t->Matrix));
    EXPECT_TRUE(t->Changed);
}

TEST_F(TransformTest, OperationsApplyInTheOrderOfTheCalls) {
    auto t = New<TkelDXPlainTransform>(scene.get());
    t->Translate(1, 0, 0);
    t->RotateY(std::numbers::pi_v<float> / 2);  // the moved point turns about the origin to -z
    EXPECT_NEAR(t->Matrix._41, 0, 1e-6);
    EXPECT_NEAR(t->Matrix._43, -1, 1e-6);

    auto u = New<TkelDXPlainTransform>(scene.get());
    u->Scale(2, 3, 4);
    u->Translate(1, 1, 1);
    ExpectMatrixNear(u->Matrix, {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 1, 1, 1, 1});
}

TEST_F(TransformTest, RotateAboutAnAxisMatchesTheAxisRotations) {
    auto a = New<TkelDXPlainTransform>(scene.get());
    auto b = New<TkelDXPlainTransform>(scene.get());
    a->Rotate(1, 0, 0, 0.3f);
    b->RotateX(0.3f);
    ExpectMatrixNear(a->Matrix, {b->Matrix._11, b->Matrix._12, b->Matrix._13, 0, b->Matrix._21, b->Matrix._22,
                                 b->Matrix._23, 0, b->Matrix._31, b->Matrix._32, b->Matrix._33, 0, 0, 0, 0, 1});
}

TEST_F(TransformTest, SetMatrixAndResetMarkTheChangeAndResetSaves) {
    auto t = New<TkelDXPlainTransform>(scene.get());
    D3DMATRIX m = IdentityMatrix;
    m._42 = 5;
    t->SetMatrix(m);
    EXPECT_TRUE(t->Changed);
    D3DMATRIX back;
    t->GetMatrix(back);
    EXPECT_EQ(back._42, 5);
    t->SaveMatrix();
    t->Changed = false;
    t->Reset();
    EXPECT_TRUE(t->Changed);
    EXPECT_TRUE(IsIdentity(t->SavedMatrix));
}
