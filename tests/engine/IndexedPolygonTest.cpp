#include <cmath>

#include "EngineTestSupport.h"
#include "MeshTestSupport.h"

using namespace kelDX8;
using enginetest::ExceptionText;
using enginetest::kInvalidCallDetail;
using enginetest::NormalOf;
using enginetest::Place;

namespace {

class IndexedPolygonTest : public enginetest::EngineTest {
protected:
    void SetUp() override { scene = MakeWindowedScene(); }
    std::unique_ptr<TkelDXIndexedPolygon> Make(UINT vertices, UINT indices, UINT size = 28, DWORD format = 0x52) {
        return New<TkelDXIndexedPolygon>(scene.get(), vertices, indices, size, format);
    }
    std::vector<DWORD> Triangles(TkelDXIndexedPolygon& p, UINT count) {
        std::vector<DWORD> values;
        for (UINT i = 0; i < 3 * count; ++i) values.push_back(scene->Index32 ? p.ReadIndex32(i) : p.ReadIndex16(i));
        return values;
    }
    std::unique_ptr<TkelDXScene> scene;
};

}  // namespace

TEST_F(IndexedPolygonTest, CreationSizesTheIndicesForTheSceneIndexWidth) {
    auto p = Make(9, 24);
    EXPECT_EQ(p->IndexBytes, 48u);
    EXPECT_EQ(p->Indices.size(), 24u);
    EXPECT_EQ(p->PrimitiveType, D3DPT_TRIANGLELIST);
    EXPECT_EQ(p->PrimitiveCount, 8u);
    EXPECT_EQ(p->MinIndex, 0u);
    EXPECT_EQ(p->NumVertices, 9u);
    EXPECT_EQ(scene->IndexBufferSize, 48u);

    scene->Index32 = true;
    auto wide = Make(9, 24);
    EXPECT_EQ(wide->IndexBytes, 96u);
    EXPECT_EQ(wide->Indices.size(), 48u);
    EXPECT_EQ(scene->IndexBufferSize, 96u);
}

TEST_F(IndexedPolygonTest, SixteenBitIndicesReachAtMost65536Vertices) {
    EXPECT_NO_THROW(Make(65536, 3));
    EXPECT_EQ(ExceptionText([&] { Make(65537, 3); }),
              "TkelDXIndexedPolygon: More than 65536 vertices require a 32-Bit-Index.\r\n\r\n" +
                  enginetest::kNotAvailableDetail);
    RaiseOnIndexError = false;
    auto recorded = Make(65537, 3);
    EXPECT_EQ(scene->LastError, D3DERR_NOTAVAILABLE);
    RaiseOnIndexError = true;
    scene->Index32 = true;
    EXPECT_NO_THROW(Make(65537, 3));
}

TEST_F(IndexedPolygonTest, IndexReadsAndTriangleAddressesStayInsideTheArray) {
    auto p = Make(9, 12);
    EXPECT_EQ(p->Triangle16(2), reinterpret_cast<TkelDXTriangle16*>(&p->Indices[6]));
    EXPECT_EQ(ExceptionText([&] { p->Triangle16(4); }),
              "TkelDXIndexedPolygon: Index out of range.\r\n\r\n" + kInvalidCallDetail);
    EXPECT_THROW(p->ReadIndex16(12), EkelDXError);
    p->SetPrimitiveType(D3DPT_TRIANGLESTRIP);
    EXPECT_EQ(p->Triangle16(2), reinterpret_cast<TkelDXTriangle16*>(&p->Indices[2]));
    p->SetPrimitiveType(D3DPT_TRIANGLEFAN);
    EXPECT_EQ(ExceptionText([&] { p->Triangle16(0); }),
              "TkelDXIndexedPolygon: Operation dont work together with that draw mode.\r\n\r\n" + kInvalidCallDetail);

    scene->Index32 = true;
    auto wide = Make(9, 6);
    MakeTriangle32(0x10002, 3, 4, *wide->Triangle32(1));
    EXPECT_EQ(wide->ReadIndex32(3), 0x10002u);
    EXPECT_EQ(wide->Indices[6], 2);  // low word first
    EXPECT_EQ(wide->Indices[7], 1);
    EXPECT_THROW(wide->ReadIndex32(6), EkelDXError);
}

TEST_F(IndexedPolygonTest, GenericIndicesCoverTheLargestSquareGrid) {
    auto p = Make(9, 24);  // room for 8 triangles, 4 cells
    p->Indices.assign(p->Indices.size(), 7);
    p->BuildIndices();
    EXPECT_EQ(Triangles(*p, 8),
              (std::vector<DWORD>{1, 0, 3, 2, 1, 4, 4, 3, 6, 5, 4, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    auto few = Make(9, 6);  // PrimitiveCount 2 stops the cells early
    few->BuildIndices();
    EXPECT_EQ(Triangles(*few, 2), (std::vector<DWORD>{1, 0, 3, 2, 1, 4}));
    scene->Index32 = true;
    auto wide = Make(9, 12);
    wide->BuildIndices();
    EXPECT_EQ(Triangles(*wide, 4), (std::vector<DWORD>{1, 0, 3, 2, 1, 4, 4, 3, 6, 5, 4, 7}));
}

TEST_F(IndexedPolygonTest, NormalsFollowTheIndicesAndAlternateInStrips) {
    auto p = Make(4, 4);
    p->SetPrimitiveType(D3DPT_TRIANGLESTRIP);  // indices 3, 2, 1, 0: corners (3,2,1) then (0,1,2)
    for (UINT i = 0; i < 4; ++i) p->Indices[i] = static_cast<WORD>(3 - i);
    Place(*p, 0, 1, 1, 0);
    Place(*p, 1, 0, 1, 0);
    Place(*p, 2, 1, 0, 0);
    Place(*p, 3, 0, 0, 0);
    p->CalcNormals();
    for (UINT i = 0; i < 4; ++i) EXPECT_VECTOR_NEAR(NormalOf(*p, i), 0, 0, 1);
}

TEST_F(IndexedPolygonTest, AnIndexBeyondTheVerticesIsRefusedNotFollowed) {
    auto p = Make(3, 3);
    p->Indices = {0, 1, 3};
    EXPECT_EQ(ExceptionText([&] { p->CalcNormals(); }),
              "TkelDXIndexedPolygon: Index out of range.\r\n\r\n" + kInvalidCallDetail);
}

TEST_F(IndexedPolygonTest, TheSampleSaddleUsesCentralDifferenceNormals) {
    auto p = Make(16, 24, 36, 0x152);
    p->BuildDefaultShape();
    EXPECT_EQ(p->PrimitiveCount, 8u);
    EXPECT_VECTOR_NEAR(enginetest::PositionOf(*p, 0), -1.5f, 0.225f, -1.5f);
    EXPECT_EQ(enginetest::ColorOf(*p, 0), 0xB2F9B021u);  // alpha 178, red 249, green 176, blue 33
    EXPECT_EQ(Triangles(*p, 1), (std::vector<DWORD>{1, 0, 4}));
    // Vertex 5 (row 1, column 1) has four neighbours.
    D3DVECTOR up = enginetest::PositionOf(*p, 1), down = enginetest::PositionOf(*p, 9);
    D3DVECTOR left = enginetest::PositionOf(*p, 4), right = enginetest::PositionOf(*p, 6);
    D3DVECTOR dv, dh, expected;
    VectorSubtract(dv, down, up);
    VectorSubtract(dh, right, left);
    VectorCross(expected, dv, dh);
    VectorScale(expected, expected, 1 / VectorLength(expected));
    EXPECT_VECTOR_NEAR(NormalOf(*p, 5), expected.x, expected.y, expected.z);
    EXPECT_EQ(enginetest::TexCoordOf(p->Vertex(5), 0).U, 0.0f);
}
