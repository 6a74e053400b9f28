#include <numbers>
#include <stdexcept>

#include "EngineTestSupport.h"

using namespace kelDX8;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(127.5), 128);
    EXPECT_EQ(RoundHalfEven(178.5), 178);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(-2.6), -3);
}

TEST(Colors, ColorToARGBSwapsRedAndBlueAndKeepsTheLowAlphaBits) {
    EXPECT_EQ(ColorToARGB(0x0000FF, 1.0f), 0xFFFF0000u);
    EXPECT_EQ(ColorToARGB(0xFFFFFF, 0.5f), 0x80FFFFFFu);
    EXPECT_EQ(ColorToARGB(0x101010, 1.0f), 0xFF101010u);
    EXPECT_EQ(ColorToARGB(-0x0000FF, 1.0f), 0xFFFF0000u);
    EXPECT_EQ(ColorToARGB(0x000000, 2.0f), 0xFE000000u);  // 510 keeps its low byte
}

TEST(Colors, MakeARGBAndSetColorAlphaRefuseAlphasOutsideAByte) {
    EXPECT_EQ(MakeARGB(110, 110, 110, 1.0f), 0xFF6E6E6Eu);
    EXPECT_EQ(MakeARGB(40, 0, 255, 0.7f), 0xB22800FFu);
    EXPECT_THROW(MakeARGB(0, 0, 0, 1.01f), std::range_error);
    EXPECT_THROW(MakeARGB(0, 0, 0, -0.01f), std::range_error);
    D3DCOLOR c = 0x00123456;
    SetColorAlpha(c, 0.99f);
    EXPECT_EQ(c, 0xFC123456u);
    EXPECT_THROW(SetColorAlpha(c, 1.5f), std::range_error);
    EXPECT_EQ(c, 0xFC123456u);
}

TEST(Colors, RGBReplacementsKeepAlpha) {
    D3DCOLOR c = 0x80000000;
    SetColorRGB(c, 0x102030);
    EXPECT_EQ(c, 0x80302010u);
    D3DCOLORVALUE v;
    MakeColorValue(255, 0, 51, 0.25f, v);
    EXPECT_FLOAT_EQ(v.r, 1.0f);
    EXPECT_FLOAT_EQ(v.b, 0.2f);
    SetColorValueRGB(v, 0x0000FF);
    EXPECT_FLOAT_EQ(v.r, 1.0f);
    EXPECT_FLOAT_EQ(v.g, 0.0f);
    EXPECT_FLOAT_EQ(v.b, 0.0f);
    EXPECT_FLOAT_EQ(v.a, 0.25f);
}

TEST(Counts, VertexAndPrimitiveCountsPerType) {
    EXPECT_EQ(PrimitiveCountOf(D3DPT_TRIANGLELIST, 14406), 4802u);
    EXPECT_EQ(PrimitiveCountOf(D3DPT_TRIANGLESTRIP, 1), 0u);
    EXPECT_EQ(PrimitiveCountOf(D3DPT_TRIANGLEFAN, 5), 3u);
    EXPECT_EQ(PrimitiveCountOf(D3DPT_LINESTRIP, 2), 1u);
    EXPECT_EQ(PrimitiveCountOf(D3DPT_LINESTRIP, 0), 0u);
    EXPECT_EQ(PrimitiveCountOf(D3DPT_LINELIST, 5), 2u);
    EXPECT_EQ(PrimitiveCountOf(D3DPT_POINTLIST, 7), 7u);
    EXPECT_EQ(PrimitiveCountOf(99, 7), 0u);
    EXPECT_EQ(VertexCountOf(D3DPT_TRIANGLEFAN, 0), 2u);
    EXPECT_EQ(VertexCountOf(D3DPT_TRIANGLESTRIP, 3), 5u);
    EXPECT_EQ(VertexCountOf(D3DPT_TRIANGLELIST, 3), 9u);
    EXPECT_EQ(VertexCountOf(D3DPT_LINESTRIP, 3), 4u);
    EXPECT_EQ(VertexCountOf(D3DPT_LINELIST, 3), 6u);
    EXPECT_EQ(VertexCountOf(D3DPT_POINTLIST, 3), 3u);
    EXPECT_EQ(VertexCountOf(99, 3), 9u);
}

TEST(Counts, StandardFormatsCompareSevenBitsButTextureSetsNeedTheWholeLowByte) {
    EXPECT_TRUE(IsStandardVertexFormat(0x152));
    EXPECT_TRUE(IsStandardVertexFormat(0x1D2));
    EXPECT_FALSE(IsStandardVertexFormat(0x142));
    EXPECT_EQ(StandardTexCoordCount(0x152), 1u);
    EXPECT_EQ(StandardTexCoordCount(0x252), 2u);
    EXPECT_EQ(StandardTexCoordCount(0x1D2), 0u);
    EXPECT_EQ(StandardTexCoordCount(0x052), 0u);
}

TEST(Vectors, AnglesBetweenVectorsAndLines) {
    D3DVECTOR x{1, 0, 0}, minusX{-1, 0, 0}, y{0, 2, 0};
    EXPECT_EQ(VectorAngle(x, minusX), std::numbers::pi_v<float>);
    EXPECT_NEAR(LineAngle(x, minusX), 0, 1e-6);
    EXPECT_FLOAT_EQ(VectorAngle(x, y), HalfPi);
    D3DVECTOR skew{0.3f, 0.7f, 0.1f};
    EXPECT_EQ(VectorAngle(skew, skew), 0.0f);  // a cosine rounded above 1 is clamped, not NaN
    D3DVECTOR ones{1, 1, 1};  // a cosine just below 1 keeps the float rounding of the arccos
    EXPECT_NEAR(VectorAngle(ones, ones), 0.0f, 1e-3);
}

TEST(Vectors, CrossMayWriteOverItsArgument) {
    D3DVECTOR a{1, 0, 0}, b{0, 1, 0};
    VectorCross(a, a, b);
    EXPECT_EQ(a.x, 0);
    EXPECT_EQ(a.y, 0);
    EXPECT_EQ(a.z, 1);
    D3DVECTOR r;
    EXPECT_EQ(VectorAdd(r, b, b).y, 2);
    EXPECT_EQ(VectorSubtract(r, b, a).z, -1);
    EXPECT_FLOAT_EQ(VectorLength(MakeVector(r, 3, 4, 0)), 5);
}

TEST(Vectors, IdentityIsComparedByteForByte) {
    D3DMATRIX m;
    LoadIdentity(m);
    EXPECT_TRUE(IsIdentity(m));
    m._12 = -0.0f;
    EXPECT_FALSE(IsIdentity(m));
}

TEST(Records, MakeVertexFillsTheRecordHead) {
    TkelDXVertex v;
    MakeVertex(40, 255, 0, 1, -1, 0.5f, 0, 0, 1, 0.7f, v);
    EXPECT_EQ(v.Diffuse, 0xB228FF00u);
    EXPECT_EQ(v.Position.y, -1);
    EXPECT_EQ(v.Normal.z, 1);
    TkelDXTriangle16 t16;
    MakeTriangle16(1, 0, 50, t16);
    EXPECT_EQ(t16.C, 50);
    TkelDXTexCoord tc;
    MakeTexCoord(tc, 0.25f, 1);
    EXPECT_EQ(tc.U, 0.25f);
}

class TimeAngleTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = StartTicks;
        SetTickSource([this] { return now; });
    }
    void TearDown() override {
        SetTickSource(nullptr);
        StartTicks = saved;
    }
    DWORD now = 0;
    DWORD saved = 0;
};

TEST_F(TimeAngleTest, TurnsWithTheFrequencyFromTheStartTick) {
    StartTicks = 1000;
    now = 1500;
    EXPECT_FLOAT_EQ(TimeAngle(0.5f), TwoPi / 4);
    now = 5000;  // two whole turns
    EXPECT_FLOAT_EQ(TimeAngle(0.5f), 0);
    now = 1000;
    EXPECT_FLOAT_EQ(TimeAngle(2), 0);
}

TEST_F(TimeAngleTest, AWrappedTickRestartsTheTimeBase) {
    StartTicks = 1000;
    now = 500;
    EXPECT_FLOAT_EQ(TimeAngle(0.5f), TwoPi / 4);
    EXPECT_EQ(StartTicks, 0u);
}
