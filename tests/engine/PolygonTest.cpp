#include <cmath>
#include <stdexcept>

#include "EngineTestSupport.h"
#include "MeshTestSupport.h"

using namespace kelDX8;
using enginetest::ExceptionText;
using enginetest::kInvalidCallDetail;
using enginetest::kNotAvailableDetail;
using enginetest::NormalOf;
using enginetest::Place;

namespace {

constexpr DWORD kStandard = 0x052;  // position, normal, diffuse
constexpr DWORD kOneSet = 0x152;

class PolygonTest : public enginetest::EngineTest {
protected:
    void SetUp() override { scene = MakeWindowedScene(); }
    std::unique_ptr<TkelDXPolygon> Make(UINT count, UINT size = 28, DWORD format = kStandard) {
        return New<TkelDXPolygon>(scene.get(), count, size, format);
    }
    std::unique_ptr<TkelDXScene> scene;
};

}  // namespace

TEST_F(PolygonTest, CreationSizesTheRecordsAndAsksTheSceneForThem) {
    auto p = Make(10, 36, kOneSet);
    EXPECT_EQ(p->VertexBytes, 360u);
    EXPECT_EQ(p->Vertices, std::vector<BYTE>(360, 0));
    EXPECT_EQ(p->PrimitiveType, D3DPT_TRIANGLESTRIP);
    EXPECT_TRUE(p->AutoPrimitiveCount);
    EXPECT_EQ(p->PrimitiveCount, 8u);
    EXPECT_TRUE(p->Visible);
    EXPECT_FLOAT_EQ(p->Material.Diffuse.r, 200.0f / 255);
    EXPECT_FLOAT_EQ(p->Material.Ambient.a, 0.7f);
    EXPECT_FLOAT_EQ(p->Material.Power, 15);
    EXPECT_EQ(scene->VertexBufferSize, 360u);
    EXPECT_EQ(scene->VertexFormat, kOneSet);
}

TEST_F(PolygonTest, DeviceLimitsAreCheckedWhenTheCapsWereRead) {
    scene->Caps.MaxVertexIndex = 5;
    scene->Caps.MaxStreamStride = 32;
    scene->Caps.MaxPrimitiveCount = 3;
    auto tolerated = Make(6, 36);
    EXPECT_EQ(scene->LastErrorText, "TkelDXPolygon: Count of draw primitives is not supported. (device caps: max "
                                    "primitive count)\r\n\r\n" + kNotAvailableDetail);
    RaiseOnCapsError = true;
    EXPECT_EQ(ExceptionText([&] { Make(6); }),
              "TkelDXPolygon: Count of vertices not supported. (device-caps: max vertex index)\r\n\r\n" +
                  kNotAvailableDetail);
    EXPECT_EQ(ExceptionText([&] { Make(5, 36); }),
              "TkelDXPolygon: Size of vertex not supported (device caps: max stream stride)\r\n\r\n" +
                  kNotAvailableDetail);
    scene->CapsValid = false;
    EXPECT_NO_THROW(Make(100, 36));
}

TEST_F(PolygonTest, AMeshAfterCreateBuffersMayNotGrowThem) {
    auto first = Make(4);
    scene->CreateBuffers();
    EXPECT_NO_THROW(Make(3));
    EXPECT_THROW(Make(5), EkelDXError);
}

TEST_F(PolygonTest, ATriangleListGetsItsFaceNormal) {
    auto p = Make(3);
    p->SetPrimitiveType(D3DPT_TRIANGLELIST);
    Place(*p, 1, 1, 0, 0);
    Place(*p, 2, 0, 1, 0);
    p->CalcNormals();
    for (UINT i = 0; i < 3; ++i) EXPECT_VECTOR_NEAR(NormalOf(*p, i), 0, 0, 1);
}

TEST_F(PolygonTest, OddStripTrianglesAreTurnedToKeepTheirWinding) {
    auto p = Make(4);  // primitive 1 uses (3, 2, 1)
    Place(*p, 1, 1, 0, 0);
    Place(*p, 2, 0, 1, 0);
    Place(*p, 3, 1, 1, 0);
    p->CalcNormals();
    for (UINT i = 0; i < 4; ++i) EXPECT_VECTOR_NEAR(NormalOf(*p, i), 0, 0, 1);
}

TEST_F(PolygonTest, SharedVerticesGetTheMeanOfTheUnitFaceNormals) {
    auto p = Make(4);
    p->SetPrimitiveType(D3DPT_TRIANGLEFAN);  // (0, 1, 2) faces +z, (0, 2, 3) faces +x
    Place(*p, 1, 2, 0, 0);
    Place(*p, 2, 0, 3, 0);
    Place(*p, 3, 0, 0, 4);
    p->CalcNormals();
    EXPECT_VECTOR_NEAR(NormalOf(*p, 0), 0.5f, 0, 0.5f);  // not normalised again
    EXPECT_VECTOR_NEAR(NormalOf(*p, 1), 0, 0, 1);
    EXPECT_VECTOR_NEAR(NormalOf(*p, 3), 1, 0, 0);
}

TEST_F(PolygonTest, NormalsNeedTrianglesAndTheStandardRecord) {
    auto points = Make(4);
    points->SetPrimitiveType(D3DPT_POINTLIST);
    EXPECT_EQ(ExceptionText([&] { points->CalcNormals(); }),
              "TkelDXPolygon: Operation dont work together with that draw mode.\r\n\r\n" + kInvalidCallDetail);
    auto positionsOnly = Make(4, 12, D3DFVF_XYZ);
    EXPECT_EQ(ExceptionText([&] { positionsOnly->CalcNormals(); }),
              "TkelDXPolygon: Operation dont work together with that vertex format.\r\n\r\n" + kInvalidCallDetail);
    auto tooShort = Make(4, 20, kStandard);  // the 28-byte head does not fit
    EXPECT_THROW(tooShort->CalcNormals(), EkelDXError);
    auto twoVertices = Make(2, 12, D3DFVF_XYZ);
    EXPECT_NO_THROW(twoVertices->CalcNormals());
}

TEST_F(PolygonTest, TextureCoordinatesAreZeroedInTheSetsThatFit) {
    auto two = Make(2, 44, 0x252);
    std::fill(two->Vertices.begin(), two->Vertices.end(), BYTE{0xFF});
    two->CalcTextureCoords();
    for (UINT set = 0; set < 2; ++set) EXPECT_EQ(enginetest::TexCoordOf(two->Vertex(1), set).V, 0.0f);

    auto cramped = Make(2, 36, 0x252);  // two sets declared, room for one
    std::fill(cramped->Vertices.begin(), cramped->Vertices.end(), BYTE{0xFF});
    cramped->CalcTextureCoords();
    EXPECT_EQ(enginetest::TexCoordOf(cramped->Vertex(0), 0).U, 0.0f);
    EXPECT_EQ(cramped->Vertices[36], 0xFF);  // the next record stays

    auto specular = Make(2, 40, 0x1D2);
    specular->CalcTextureCoords();  // no texture set without the exact low byte
    EXPECT_EQ(specular->Vertices, std::vector<BYTE>(80, 0));
}

TEST_F(PolygonTest, SetAlphaRoundsHalfToEvenAndKeepsTheColour) {
    auto p = Make(3);
    record::SetDiffuse(p->Vertex(2), 0x00123456);
    p->SetAlpha(0.99f);
    EXPECT_EQ(enginetest::ColorOf(*p, 2), 0xFC123456u);
    p->SetAlpha(0.7f);
    EXPECT_EQ(enginetest::ColorOf(*p, 0), 0xB2000000u);
    p->SetAlpha(1.0f);
    EXPECT_EQ(enginetest::ColorOf(*p, 2), 0xFF123456u);
    EXPECT_THROW(p->SetAlpha(1.5f), std::range_error);
    EXPECT_EQ(enginetest::ColorOf(*p, 2), 0xFF123456u);
}

TEST_F(PolygonTest, PrimitiveCountFollowsTheTypeOnlyWhileAutomatic) {
    auto p = Make(12);
    p->StartVertex = 3;
    p->SetPrimitiveType(D3DPT_TRIANGLELIST);
    EXPECT_EQ(p->PrimitiveCount, 4u);
    p->SetAutoPrimitiveCount(false);
    p->SetPrimitiveType(D3DPT_LINELIST);
    EXPECT_EQ(p->PrimitiveCount, 4u);
    p->SetAutoPrimitiveCount(true);
    EXPECT_EQ(p->PrimitiveCount, 6u);
    EXPECT_EQ(p->StartVertex, 0u);
}

TEST_F(PolygonTest, VertexAddressesRecordsAndRefusesThoseBeyond) {
    auto p = Make(3, 36, kOneSet);
    EXPECT_EQ(p->Vertex(2), p->Vertices.data() + 72);
    EXPECT_EQ(ExceptionText([&] { p->Vertex(3); }),
              "TkelDXPolygon: Index out of range.\r\n\r\n" + kInvalidCallDetail);
}

TEST_F(PolygonTest, TheSampleTubeIsAClosedStrip) {
    auto p = Make(8, 36, kOneSet);  // four rings of two, the last on the first
    p->BuildDefaultShape();
    EXPECT_EQ(p->PrimitiveType, D3DPT_TRIANGLESTRIP);
    EXPECT_EQ(p->PrimitiveCount, 6u);
    EXPECT_VECTOR_NEAR(enginetest::PositionOf(*p, 0), 1, -1, 0);
    EXPECT_VECTOR_NEAR(enginetest::PositionOf(*p, 3), std::cos(2.0944f), 1, std::sin(2.0944f));
    EXPECT_VECTOR_NEAR(enginetest::PositionOf(*p, 7), 1, 1, 0);
    EXPECT_EQ(enginetest::ColorOf(*p, 0), 0xB22800FFu);
    EXPECT_EQ(enginetest::ColorOf(*p, 1), 0xB228FF00u);
    for (UINT first : {0u, 1u}) {
        D3DVECTOR a = NormalOf(*p, first), b = NormalOf(*p, 6 + first);
        EXPECT_TRUE(VectorsEqual(a, b));
        EXPECT_NEAR(VectorLength(a), 1, 1e-5);
    }
    auto tiny = Make(3);
    EXPECT_NO_THROW(tiny->BuildDefaultShape());
}
